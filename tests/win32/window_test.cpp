// The real window, built from Velmora.exe's own stored record and driven
// with messages as a user drives it.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "numbers/runtime_error.h"
#include "tests/win32/high_contrast_scheme.h"
#include "tests/win32/support.h"
#include "window/front_end.h"
#include "window/win32/number_window.h"
#include "window/win32/program.h"
#include "window/win32/text.h"

namespace velmora::win32::test {
namespace {

// Most tests leave the window unshown: under Wine without a window manager,
// closing a window that was shown takes two seconds.
class WindowTest : public ::testing::Test {
 protected:
  void Open(char separator = '.', bool shown = false) {
    window_.reset();
    window_ = std::make_unique<NumberWindow>(GetModuleHandleW(nullptr), ProgramLayout(),
                                             static_cast<unsigned char>(separator));
    separator_ = separator;
    if (shown) window_->Show(SW_SHOWNORMAL);
    Pump();
  }
  void SetUp() override { Open(); }

  HWND Control(const char* name, std::int16_t index) {
    HWND control = window_->ControlWindow(name, index);
    EXPECT_NE(control, nullptr) << name << "(" << index << ")";
    return control;
  }
  HWND Field() { return Control("Text2", 0); }
  HWND TopLine() { return Control("Label1", 0); }
  void Press(int index) { SendMessageW(Control("Command1", static_cast<std::int16_t>(index)), BM_CLICK, 0, 0); }
  std::string FieldText() { return Utf8(Text(Field())); }
  std::string TopLineText() { return Utf8(Text(TopLine())); }

  std::unique_ptr<NumberWindow> window_;
  char separator_ = '.';
};

TEST_F(WindowTest, OpensWithTheLayoutsTextsAndTheFieldLimited) {
  EXPECT_EQ(FieldText(), "112");
  EXPECT_EQ(TopLineText(), "Естествено число - сума и разлика от цифри");
  EXPECT_TRUE(GetWindowLongPtrW(Field(), GWL_STYLE) & ES_CENTER);
  EXPECT_EQ(Utf8(Text(window_->Handle())),
            ProgramLayout().caption);
}

struct PressCase {
  const char* before;
  int button;
  char separator;
  const char* after;
  const char* top_line;
};

TEST_F(WindowTest, PressesChangeTheFieldAndTheTopLine) {
  const PressCase cases[] = {
      {"112", 0, '.', "116", "Сума от цифри: 8"},
      {"112", 1, '.', "108", "Сума от цифри: 9"},
      {"9999", 0, '.', "1003", "Сума от цифри: 4"},    // 10035, cut to 4
      {"-999", 1, '.', "-102", "Сума от цифри: 3"},    // -1026, cut to 4
      {"", 0, '.', "0", "Сума от цифри: 0"},
      {"abc", 1, '.', "0", "Сума от цифри: 0"},
      {"1.5", 0, ',', "7,5", "Сума от цифри: 12"},
      {"1Ч2", 0, '.', "4", "Сума от цифри: 4"},        // reads 1, sum 3
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " button " + std::to_string(c.button) + " '" +
                 c.separator + "'");
    if (c.separator != separator_ || !IsWindowVisible(window_->Handle())) Open(c.separator, true);
    Type(Field(), Utf16(c.before));
    ASSERT_EQ(FieldText(), c.before);
    Press(c.button);
    EXPECT_EQ(FieldText(), c.after);
    EXPECT_EQ(TopLineText(), c.top_line);
  }
}

TEST_F(WindowTest, EachPressReadsTheFieldAfresh) {
  Press(0);
  EXPECT_EQ(FieldText(), "116");
  Type(Field(), L"9");  // the user's edit between presses counts
  Press(1);
  EXPECT_EQ(FieldText(), "0");
  EXPECT_EQ(TopLineText(), "Сума от цифри: 0");
}

void SetClipboard(HWND owner, std::wstring_view text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  ASSERT_NE(memory, nullptr);
  auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
  std::copy(text.begin(), text.end(), chars);
  chars[text.size()] = L'\0';
  GlobalUnlock(memory);
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
  CloseClipboard();
}

TEST_F(WindowTest, TypingKeepsFourCharacters) {
  Type(Field(), L"123456");
  EXPECT_EQ(FieldText(), "1234");
  Type(Field(), L"Числото");
  EXPECT_EQ(FieldText(), "Числ");  // Cyrillic is kept as typed
  Type(Field(), L"😀😀😀😀😀");     // typed as surrogate pairs
  EXPECT_EQ(FieldText(), "😀😀😀😀");
}

struct PasteCase {
  const char* name;
  const wchar_t* before;
  int caret;  // -1: everything selected
  const wchar_t* clipboard;
  const char* after;
};

TEST_F(WindowTest, PastingFollowsTheFieldsRule) {
  const PasteCase cases[] = {
      {"a long number over everything", L"112", -1, L"98765432109876543210", "9876"},
      {"five emoji", L"", -1, L"😀😀😀😀😀", "😀😀😀😀"},
      {"two emoji after 112: one, whole", L"112", 3, L"😀😀", "112😀"},
      {"lines: the first only", L"", -1, L"5\n6\n7", "5"},
      {"CR LF: the first line only", L"1", 1, L"23\r\n45", "123"},
      {"into a full field", L"9999", 4, L"1", "9999"},
  };
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.name);
    Type(Field(), c.before);
    const int caret = c.caret < 0 ? 0 : c.caret;
    SendMessageW(Field(), EM_SETSEL, static_cast<WPARAM>(caret), c.caret < 0 ? -1 : caret);
    SetClipboard(window_->Handle(), c.clipboard);
    SendMessageW(Field(), WM_PASTE, 0, 0);
    EXPECT_EQ(FieldText(), c.after);
    EXPECT_EQ(window_->Panel().FieldText(), c.after);
  }
  // Ctrl+V and Shift+Insert paste the same way.
  Type(Field(), L"");
  SetClipboard(window_->Handle(), L"7\n8");
  SendMessageW(Field(), WM_CHAR, 0x16, 1);
  EXPECT_EQ(FieldText(), "7");
  Press(0);
  EXPECT_EQ(FieldText(), "14");
  EXPECT_EQ(TopLineText(), "Сума от цифри: 5");
}

struct ReplacementCase {
  const char* name;
  const wchar_t* before;
  DWORD caret;
  const wchar_t* replacement;
  const char* after;
  DWORD caret_after;
};

// Text that reaches the edit by a route the subclass does not see
// (EM_REPLACESEL here, as WM_UNICHAR or another program's message would) is
// settled by the field's rule as the one span that changed, the caret where
// the replacement left it, moved back by what the rule dropped.
TEST_F(WindowTest, AReplacementTheSubclassDoesNotSeeIsSettledByTheRule) {
  const ReplacementCase cases[] = {
      {"past the limit at the end", L"112", 3, L"345", "1123", 4},
      {"past the limit in the middle", L"12", 1, L"abc", "1ab2", 3},
      {"within the limit", L"1", 1, L"23", "123", 3},
  };
  for (const ReplacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    Type(Field(), c.before);
    SendMessageW(Field(), EM_SETSEL, c.caret, static_cast<LPARAM>(c.caret));
    SendMessageW(Field(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.replacement));
    EXPECT_EQ(FieldText(), c.after);
    EXPECT_EQ(window_->Panel().FieldText(), c.after);
    DWORD start = 9, end = 9;
    SendMessageW(Field(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, c.caret_after);
    EXPECT_EQ(end, c.caret_after);
  }
}

// The field's undo is the edit box's own (Ctrl+Z, EM_UNDO): it takes back
// a typed character and a paste, a second undo puts them back, and the
// panel settles each text the box goes back to. A press writes the field
// as the system's own setting of a text does, which leaves nothing to undo.
TEST_F(WindowTest, UndoTakesBackTypingAndPastingAndThePanelFollows) {
  auto undo = [&] { SendMessageW(Field(), WM_CHAR, 0x1A, 1); };  // Ctrl+Z
  auto shows = [&](const char* text) {
    EXPECT_EQ(FieldText(), text);
    EXPECT_EQ(window_->Panel().FieldText(), text);
  };
  SendMessageW(Field(), EM_SETSEL, 3, 3);
  SendMessageW(Field(), WM_CHAR, L'3', 1);
  shows("1123");
  undo();
  shows("112");
  SendMessageW(Field(), EM_UNDO, 0, 0);  // undoes the undo
  shows("1123");

  SendMessageW(Field(), EM_SETSEL, 0, -1);
  SetClipboard(window_->Handle(), L"98765");
  SendMessageW(Field(), WM_PASTE, 0, 0);
  shows("9876");  // the rule kept four characters
  SendMessageW(Field(), WM_CHAR, L'5', 1);
  shows("9876");  // a full field takes nothing, so nothing is added to undo
  undo();
  shows("1123");
  undo();
  shows("9876");

  Press(1);  // 9876 - 30
  shows("9846");
  undo();
  shows("9846");
  EXPECT_EQ(TopLineText(), "Сума от цифри: 27");
}

TEST_F(WindowTest, CtrlASelectsTheWholeTextThenTypingReplacesIt) {
  SendMessageW(Field(), EM_SETSEL, 1, 1);
  SendMessageW(Field(), WM_CHAR, 0x01, 1);  // Ctrl+A
  DWORD start = 9, end = 9;
  SendMessageW(Field(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 3u);
  SendMessageW(Field(), WM_CHAR, L'9', 1);
  EXPECT_EQ(FieldText(), "9");
}

TEST_F(WindowTest, TheStatementDoesNotTakeTyping) {
  HWND statement = Control("Text1", 0);
  const std::wstring before = Text(statement);
  Type(statement, L"12");
  SendMessageW(statement, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(statement), before);
}

struct Placement {
  const char* name;
  std::int16_t index;
  const wchar_t* window_class;
  RECT pixels;  // left, top, right, bottom at 96 dpi
  bool visible;
};

TEST_F(WindowTest, ControlsSitWhereTheLayoutPutsThemAt96Dpi) {
  RECT client{};
  GetClientRect(window_->Handle(), &client);
  EXPECT_EQ(client.right, 536);
  EXPECT_EQ(client.bottom, 258);

  const Placement placements[] = {
      {"Label1", 0, L"Static", {88, 0, 88 + 361, 25}, true},
      {"Label1", 1, L"Static", {88, 40, 88 + 89, 40 + 25}, true},
      {"Text2", 0, L"Edit", {88, 64, 88 + 89, 64 + 27}, true},
      {"Command1", 0, L"Button", {288, 40, 288 + 161, 40 + 25}, true},
      {"Command1", 1, L"Button", {288, 72, 288 + 161, 72 + 25}, true},
      {"Text1", 0, L"Edit", {16, 128, 16 + 497, 128 + 121}, true},
      {"Text1", 1, L"Edit", {40, 152, 40 + 449, 152 + 121}, false},
  };
  for (const Placement& p : placements) {
    SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
    HWND control = Control(p.name, p.index);
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, p.pixels.left);
    EXPECT_EQ(r.top, p.pixels.top);
    EXPECT_EQ(r.right, p.pixels.right);
    EXPECT_EQ(r.bottom, p.pixels.bottom);
    wchar_t window_class[32] = {};
    GetClassNameW(control, window_class, 32);
    EXPECT_EQ(_wcsicmp(window_class, p.window_class), 0);
    EXPECT_EQ((GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0, p.visible);
  }
}

TEST_F(WindowTest, NotesAreReadOnlyScrollingTextsAndTheSayingIsHidden) {
  for (std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
    HWND note = Control("Text1", index);
    const LONG_PTR style = GetWindowLongPtrW(note, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);  // lines wrap
    EXPECT_EQ(Utf8(Text(note)), FindControl(ProgramLayout(), "Text1", index)->text);
  }
  const std::wstring statement = Text(Control("Text1", 0));
  EXPECT_EQ(statement.rfind(L"Да се реализира проект", 0), 0u);
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = statement.find(L"\r\n", at)) != std::wstring::npos; at += 2)
    ++lines;
  EXPECT_EQ(lines, 7u);
  EXPECT_FALSE(GetWindowLongPtrW(Control("Text1", 1), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(WindowTest, EveryControlShowsTheWindowsFont) {
  for (const velmora::Control& c : ProgramLayout().controls) {
    SCOPED_TRACE(c.name + "(" + std::to_string(c.index) + ")");
    auto font = reinterpret_cast<HFONT>(SendMessageW(Control(c.name.c_str(), c.index), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logfont{};
    ASSERT_EQ(GetObjectW(font, sizeof logfont, &logfont), static_cast<int>(sizeof logfont));
    EXPECT_STREQ(logfont.lfFaceName, L"Times New Roman");
    EXPECT_EQ(logfont.lfHeight, -16);  // 12 pt at 96 dpi
    EXPECT_EQ(logfont.lfWeight, 400);
    EXPECT_EQ(logfont.lfCharSet, 204);
    EXPECT_FALSE(logfont.lfItalic || logfont.lfUnderline || logfont.lfStrikeOut);
  }
}

// The colour at (x, y) of what `paint` draws into a memory bitmap.
template <typename Paint>
COLORREF PaintedColour(int width, int height, int x, int y, Paint paint) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  paint(dc);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

// The colour at (x, y) of button `button` as the window draws it in `state`.
COLORREF DrawnButtonColour(HWND main, HWND button, UINT state, int x, int y) {
  return PaintedColour(161, 25, x, y, [&](HDC dc) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = dc;
    item.rcItem = {0, 0, 161, 25};
    SendMessageW(main, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  });
}

// The background colour that `message` sets for `control`, as the DC's
// and as its brush's.
std::pair<COLORREF, COLORREF> BackOf(HWND main, UINT message, HWND control) {
  HDC dc = GetDC(main);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(main, message, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(control)));
  const COLORREF back = GetBkColor(dc);
  ReleaseDC(main, dc);
  LOGBRUSH logbrush{};
  EXPECT_EQ(GetObjectW(brush, sizeof logbrush, &logbrush), static_cast<int>(sizeof logbrush));
  return {back, logbrush.lbColor};
}

COLORREF ErasedColour(HWND main) {
  return PaintedColour(536, 258, 300, 120, [&](HDC dc) { SendMessageW(main, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0); });
}

TEST_F(WindowTest, ColoursAreTheStoredOnes) {
  HWND main = window_->Handle();
  EXPECT_EQ(ErasedColour(main), RGB(192, 192, 255));

  struct Case { const char* name; std::int16_t index; UINT message; COLORREF colour; };
  const Case labels[] = {
      {"Label1", 0, WM_CTLCOLORSTATIC, RGB(255, 192, 128)},
      {"Label1", 1, WM_CTLCOLORSTATIC, RGB(255, 192, 128)},
      {"Text2", 0, WM_CTLCOLOREDIT, GetSysColor(COLOR_WINDOW)},
      {"Text1", 0, WM_CTLCOLORSTATIC, GetSysColor(COLOR_WINDOW)},  // read-only edit
  };
  for (const Case& c : labels) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BackOf(main, c.message, Control(c.name, c.index)), std::make_pair(c.colour, c.colour));
  }

  const Case buttons[] = {{"Command1", 0, 0, RGB(128, 255, 255)}, {"Command1", 1, 0, RGB(128, 128, 255)}};
  for (const Case& c : buttons) {
    HWND button = Control(c.name, c.index);
    EXPECT_TRUE((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
    const COLORREF painted = DrawnButtonColour(main, button, 0, 6, 12);
    EXPECT_EQ(painted, c.colour) << c.index;
  }
}

bool g_high_contrast = false;
bool TestHighContrast() { return g_high_contrast; }

// The window follows the theme: under high contrast it is drawn in the
// system's colours (win32.screenshot.high_contrast looks at the whole
// window), the buttons with the system's edge and their focus, and the
// layout's colours come back when the theme goes.
TEST_F(WindowTest, TheColoursFollowAHighContrastThemeOnAndOff) {
  g_high_contrast = false;
  window_ = std::make_unique<NumberWindow>(GetModuleHandleW(nullptr), ProgramLayout(), '.', TestHighContrast);
  HWND main = window_->Handle(), increase = Control("Command1", 0);
  const COLORREF black = RGB(0, 0, 0);
  {
    HighContrastScheme scheme;  // Wine cannot turn high contrast on: the window is told by the query
    g_high_contrast = true;
    SendMessageW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(ErasedColour(main), black);
    EXPECT_EQ(BackOf(main, WM_CTLCOLORSTATIC, Control("Label1", 0)), std::make_pair(black, black));
    EXPECT_EQ(DrawnButtonColour(main, increase, 0, 6, 12), black);
    EXPECT_NE(DrawnButtonColour(main, increase, 0, 0, 0), black);  // the edge
    int dots = 0;
    for (int x = kFocusRectangleInset; x < 161 - kFocusRectangleInset; ++x)
      dots += DrawnButtonColour(main, increase, ODS_FOCUS, x, kFocusRectangleInset) != black;
    EXPECT_GT(dots, 161 / 4);
    g_high_contrast = false;
    SendMessageW(main, WM_SYSCOLORCHANGE, 0, 0);
  }
  EXPECT_EQ(BackOf(main, WM_CTLCOLORSTATIC, Control("Label1", 0)).first, RGB(255, 192, 128));
  EXPECT_EQ(DrawnButtonColour(main, increase, 0, 6, 12), RGB(128, 255, 255));
}

TEST_F(WindowTest, TabGoesRoundInTabIndexOrderFromTheStatement) {
  Open('.', true);
  SetForegroundWindow(window_->Handle());
  Pump();
  EXPECT_EQ(GetFocus(), Control("Text1", 0));
  auto key = [&](WPARAM code) {
    MSG down{GetFocus(), WM_KEYDOWN, code, 1, 0, {}};
    if (!window_->HandleDialogMessage(down)) { TranslateMessage(&down); DispatchMessageW(&down); }
    Pump();
    return GetFocus();
  };
  auto tab = [&] { return key(VK_TAB); };
  // Labels and the hidden saying never take the focus; the statement hands
  // Tab on instead of keeping it.
  EXPECT_EQ(tab(), Control("Command1", 0));
  EXPECT_EQ(tab(), Control("Command1", 1));
  EXPECT_EQ(tab(), Control("Text2", 0));
  EXPECT_EQ(tab(), Control("Text1", 0));
  EXPECT_EQ(tab(), Control("Command1", 0));
  // Enter presses the focused button.
  key(VK_RETURN);
  EXPECT_EQ(FieldText(), "116");
}

TEST_F(WindowTest, EnterKeypadEnterAndSpacePressTheFocusedButton) {
  Open('.', true);
  SetForegroundWindow(window_->Handle());
  HWND increase = Control("Command1", 0);
  SetFocus(increase);
  Pump();
  auto dialog_key = [&](WPARAM code, LPARAM flags) {
    MSG down{GetFocus(), WM_KEYDOWN, code, flags, 0, {}};
    if (!window_->HandleDialogMessage(down)) { TranslateMessage(&down); DispatchMessageW(&down); }
    MSG up{GetFocus(), WM_KEYUP, code, flags | (1 << 30) | (1 << 31), 0, {}};
    if (!window_->HandleDialogMessage(up)) { TranslateMessage(&up); DispatchMessageW(&up); }
    Pump();
  };
  dialog_key(VK_RETURN, 1);
  EXPECT_EQ(FieldText(), "116");
  dialog_key(VK_RETURN, 1 | (1 << 24));  // keypad Enter: the extended Enter key
  EXPECT_EQ(FieldText(), "124");
  dialog_key(VK_SPACE, 1);
  EXPECT_EQ(FieldText(), "131");
}

// A coloured button drawn into a bitmap: its fill stays exactly its colour
// when focused, the focus rectangle lies inside the edge, and held down it
// is sunken.
TEST_F(WindowTest, ColouredButtonsFocusRectangleAndPressedLook) {
  HWND button = Control("Command1", 0);
  const COLORREF fill = RGB(128, 255, 255);
  const int inset = kFocusRectangleInset;
  auto draw = [&](UINT state, int x, int y) {
    return DrawnButtonColour(window_->Handle(), button, state, x, y);
  };

  EXPECT_EQ(draw(0, 6, 6), fill);
  EXPECT_EQ(draw(ODS_FOCUS, 6, 6), fill);
  EXPECT_EQ(draw(ODS_FOCUS, inset - 1, 12), fill);
  int dots = 0;
  for (int x = inset; x < 161 - inset; x += 1) dots += draw(ODS_FOCUS, x, inset) != fill;
  EXPECT_GT(dots, 161 / 4);
  EXPECT_EQ(draw(0, 0, 0), ButtonEdgeOf(fill, false).outer_top_left);            // raised
  EXPECT_EQ(draw(ODS_SELECTED, 0, 0), ButtonEdgeOf(fill, true).outer_top_left);  // sunken
  EXPECT_EQ(draw(ODS_SELECTED, 6, 6), fill);
}

TEST_F(WindowTest, LabelsLieBeneathTheBoxesAndButtons) {
  // Children from the top of the stacking down: every label comes after
  // every text box and button, and siblings clip each other.
  bool label_seen = false;
  for (HWND child = GetWindow(window_->Handle(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t window_class[16] = {};
    GetClassNameW(child, window_class, 16);
    const bool label = _wcsicmp(window_class, L"Static") == 0;
    EXPECT_FALSE(label_seen && !label) << "a box or button beneath a label";
    label_seen |= label;
    EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_CLIPSIBLINGS);
  }
  EXPECT_TRUE(label_seen);
}

// What a screen reader is told of each control: the system's accessible
// object for it, as a reader in another process gets it. (The interface's
// identifier comes from the compiler: the x86_64 import library's
// IID_IAccessible is a jump into the DLL, not the identifier.)
struct Heard {
  std::wstring name, value;
  LONG role = 0;
};

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::wstring Take(BSTR text) {
  std::wstring taken = text ? text : L"";
  SysFreeString(text);
  return taken;
}

std::wstring NameOf(IAccessible* object) {
  BSTR name = nullptr;
  return SUCCEEDED(object->get_accName(Self(), &name)) ? Take(name) : L"";
}

IAccessible* ObjectOf(HWND control) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) || !object)
    ADD_FAILURE() << "no accessible object";
  return object;
}

Heard AskScreenReader(HWND control) {
  Heard heard;
  IAccessible* object = ObjectOf(control);
  if (!object) return heard;
  heard.name = NameOf(object);
  BSTR value = nullptr;
  if (SUCCEEDED(object->get_accValue(Self(), &value))) heard.value = Take(value);
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(Self(), &role)) && role.vt == VT_I4) heard.role = role.lVal;
  object->Release();
  return heard;
}

TEST_F(WindowTest, AScreenReaderHearsEveryControlsNameAndRole) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const struct {
    const char* control;
    std::int16_t index;
    const wchar_t* name;
    LONG role;
  } cases[] = {
      {"Text2", 0, L"Число", ROLE_SYSTEM_TEXT},  // its label lies beneath, not before it
      {"Text1", 0, L"Условие на задачата", ROLE_SYSTEM_TEXT},
      {"Command1", 0, L"Увеличава със сбор", ROLE_SYSTEM_PUSHBUTTON},
      {"Command1", 1, L"Намалява със сбор", ROLE_SYSTEM_PUSHBUTTON},
      {"Label1", 1, L"Число", ROLE_SYSTEM_STATICTEXT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.control) + "(" + std::to_string(c.index) + ")");
    const Heard heard = AskScreenReader(Control(c.control, c.index));
    EXPECT_EQ(heard.name, c.name);
    EXPECT_EQ(heard.role, c.role);
  }
  // The field's object is still the system's own: its value is the text.
  EXPECT_EQ(AskScreenReader(Field()).value, L"112");
  Press(0);
  EXPECT_EQ(AskScreenReader(TopLine()).name, L"Сума от цифри: 8");
  CoUninitialize();
}

IUnknown* Identity(IUnknown* object) {
  IUnknown* identity = nullptr;
  object->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&identity));
  if (identity) identity->Release();  // the object holds it; only compared
  return identity;
}

// Every interface a reader gets from a control's object is that object's
// (the same IUnknown), with its name behind it, and the name is the same
// late-bound, through IDispatch; IOleWindow tells the object's window.
TEST_F(WindowTest, AControlsObjectKeepsItsIdentityAndItsNameHoweverItIsAsked) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IAccessible* field = ObjectOf(Field());
  ASSERT_NE(field, nullptr);
  for (const IID& iid : {__uuidof(IOleWindow), __uuidof(IEnumVARIANT), __uuidof(IServiceProvider)}) {
    IUnknown* other = nullptr;
    if (FAILED(field->QueryInterface(iid, reinterpret_cast<void**>(&other))) || !other) continue;
    EXPECT_EQ(Identity(other), Identity(field));
    IAccessible* back = nullptr;
    if (SUCCEEDED(other->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&back)))) {
      EXPECT_EQ(NameOf(back), L"Число");
      back->Release();
    }
    IOleWindow* window = nullptr;
    if (iid == __uuidof(IOleWindow) && SUCCEEDED(other->QueryInterface(iid, reinterpret_cast<void**>(&window)))) {
      HWND shown = nullptr;
      EXPECT_TRUE(SUCCEEDED(window->GetWindow(&shown)) && shown == Field());
      window->Release();
    }
    other->Release();
  }
  VARIANT self = Self(), name{};
  DISPPARAMS parameters{&self, nullptr, 1, 0};
  EXPECT_TRUE(SUCCEEDED(field->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &parameters,
                                      &name, nullptr, nullptr)));
  EXPECT_EQ(name.vt == VT_BSTR ? std::wstring(name.bstrVal) : L"(no text)", L"Число");
  VariantClear(&name);
  field->Release();
  CoUninitialize();
}

// What a screen reader meets after a press: the top line's live-region
// event, and on it the top line's object, whose name is what a reader
// speaks. The top line gets its live setting once a reader is about: one
// that the system reports, or one that has asked the window for an object
// (the reader that comes with Windows reports itself nowhere).
std::vector<std::wstring> g_heard;  // each live-region event's object's name

void CALLBACK OnLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT id{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                          &accessible, &id))) {
    g_heard.push_back(NameOf(accessible));
    accessible->Release();
  }
}

TEST_F(WindowTest, APressIsToldToScreenReadersThroughTheTopLinesLiveRegion) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const struct {
    const char* name;
    BOOL system_says_a_reader_runs;
    bool a_reader_asked, marked;  // marked: given the live setting, or the system has no service
  } cases[] = {
      {"no screen reader", FALSE, false, false},
      {"the system says a reader runs", TRUE, false, true},
      {"a reader asked for an object", FALSE, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENREADER, static_cast<UINT>(c.system_says_a_reader_runs), nullptr, 0));
    if (c.a_reader_asked) AskScreenReader(Field());
    g_heard.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                         OnLiveRegion, GetCurrentProcessId(), GetCurrentThreadId(),
                                         WINEVENT_OUTOFCONTEXT);
    Press(0);
    Pump();
    UnhookWinEvent(hook);
    SystemParametersInfoW(SPI_SETSCREENREADER, FALSE, nullptr, 0);
    EXPECT_EQ(g_heard, std::vector<std::wstring>{L"Сума от цифри: 8"});
    EXPECT_EQ(window_->TopLineLiveMark() != LiveRegion::Mark::kNone, c.marked);
  }
  CoUninitialize();
}

// 9 → 18 → 27: the top line stays "Сума от цифри: 9", and each press is
// still told, so that the pupil hears it was made.
TEST_F(WindowTest, APressThatKeepsTheTopLineIsToldAgain) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  Type(Field(), L"9");
  g_heard.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                       OnLiveRegion, GetCurrentProcessId(), GetCurrentThreadId(),
                                       WINEVENT_OUTOFCONTEXT);
  Press(0);
  Press(0);
  Pump();
  UnhookWinEvent(hook);
  EXPECT_EQ(FieldText(), "27");
  EXPECT_EQ(g_heard, (std::vector<std::wstring>{L"Сума от цифри: 9", L"Сума от цифри: 9"}));
  CoUninitialize();
}

TEST(WindowFaultTest, ALayoutWithoutABoundControlIsAClearError) {
  for (const char* missing : {"Text2", "Label1"}) {
    Layout layout = ProgramLayout();
    std::erase_if(layout.controls, [&](const velmora::Control& c) { return c.name == missing && c.index == 0; });
    try {
      NumberWindow window(GetModuleHandleW(nullptr), layout, '.');
      ADD_FAILURE() << "no error without " << missing;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), kErrorBadLayout);
      EXPECT_NE(error.Description().find(std::string(missing) + "(0)"), std::string::npos)
          << error.Description();
    }
  }
}

TEST(WindowFaultTest, AHandlersErrorClosesTheWindowAndIsKept) {
  // A third button reaches OnCommand with an Index it does not know.
  Layout layout = ProgramLayout();
  velmora::Control extra = *FindControl(layout, "Command1", 1);
  extra.index = 2;
  layout.controls.push_back(extra);
  NumberWindow window(GetModuleHandleW(nullptr), layout, '.');
  window.Show(SW_SHOWNORMAL);
  HWND main = window.Handle();
  SendMessageW(window.ControlWindow("Command1", 2), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(main));
  ASSERT_TRUE(window.Failure());
  EXPECT_EQ(AsRuntimeError(window.Failure()).Number(), kErrorInvalidArgument);
  // The loop would end: the window posted its quit message.
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace velmora::win32::test
