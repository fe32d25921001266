#include "window/win32/main_window.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "numbers/runtime_error.h"
#include "window/win32/text.h"

namespace velmora::win32 {
namespace {

// The event bindings: the only control names the layer knows. The field and
// the top line are the panel's two controls; a click of any element of the
// button array runs OnCommand with that element's Index.
constexpr std::string_view kFieldName = "Text2";
constexpr std::string_view kTopLineName = "Label1";
constexpr std::string_view kButtonArray = "Command1";
constexpr std::int16_t kButtonIndexes[] = {NumberPanel::kIncrease, NumberPanel::kDecrease};

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int Pixels(std::int32_t twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// The dpi of the monitor that shows `window` (per-monitor aware systems), or
// the system's dpi where that is not known.
UINT WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi) {
    if (const UINT dpi = get_dpi(window)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

HFONT MakeFont(const Font& font, UINT dpi) {
  LOGFONTW logfont{};
  // Size is in 1/10000 point; a negative height asks for the character
  // height, which is what a point size means.
  const int size = static_cast<int>(std::min<std::uint32_t>(font.size, 10'000'000));
  logfont.lfHeight = -MulDiv(size, static_cast<int>(dpi), 72 * 10000);
  logfont.lfWeight = font.weight;
  logfont.lfItalic = (font.attributes & 1) ? TRUE : FALSE;
  logfont.lfUnderline = (font.attributes & 2) ? TRUE : FALSE;
  logfont.lfStrikeOut = (font.attributes & 4) ? TRUE : FALSE;
  logfont.lfCharSet = static_cast<BYTE>(font.charset);
  logfont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logfont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logfont.lfQuality = DEFAULT_QUALITY;
  logfont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Utf16(font.name);
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::memcpy(logfont.lfFaceName, face.data(), n * sizeof(wchar_t));
  HFONT made = CreateFontIndirectW(&logfont);
  if (!made) throw RuntimeError(kErrorBadLayout, "The window's font cannot be made");
  return made;
}

// An icon from the first image of an icon file (.ico), or nullptr if the
// file holds none. Every offset is checked against the file's size.
HICON MakeIcon(const std::vector<std::uint8_t>& file, int size) {
  constexpr std::size_t kDirectory = 6, kEntry = 16;
  if (file.size() < kDirectory + kEntry) return nullptr;
  auto u32 = [&file](std::size_t at) {
    return static_cast<std::uint32_t>(file[at]) | static_cast<std::uint32_t>(file[at + 1]) << 8 |
           static_cast<std::uint32_t>(file[at + 2]) << 16 |
           static_cast<std::uint32_t>(file[at + 3]) << 24;
  };
  const unsigned count = file[4] | static_cast<unsigned>(file[5]) << 8;
  const std::uint32_t bytes = u32(kDirectory + 8), offset = u32(kDirectory + 12);
  if (count == 0 || bytes == 0 || offset > file.size() || bytes > file.size() - offset)
    return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(file.data() + offset), bytes, TRUE,
                                  0x00030000, size, size, LR_DEFAULTCOLOR);
}

DWORD AlignmentStyle(ControlKind kind, Alignment alignment) {
  const bool label = kind == ControlKind::Label;
  switch (alignment) {
    case Alignment::Centre: return label ? SS_CENTER : ES_CENTER;
    case Alignment::Right: return label ? SS_RIGHT : ES_RIGHT;
    case Alignment::Left: break;
  }
  return label ? SS_LEFT : ES_LEFT;
}

struct WindowKind {
  const wchar_t* window_class;
  DWORD style, ex_style;
  int default_colour;  // system colour index for an unset background
};

WindowKind KindOf(const Control& c) {
  const DWORD shown = c.IsVisible() ? WS_VISIBLE : 0;
  const Alignment alignment = c.alignment.value_or(Alignment::Left);
  switch (c.kind) {
    case ControlKind::Label:
      return {L"STATIC", WS_CHILD | shown | AlignmentStyle(c.kind, alignment), 0,
              COLOR_BTNFACE};
    case ControlKind::CommandButton:
      return {L"BUTTON",
              WS_CHILD | shown | WS_TABSTOP |
                  (c.own_colour.value_or(false) ? BS_OWNERDRAW : BS_PUSHBUTTON),
              0, COLOR_BTNFACE};
    case ControlKind::TextBox: {
      DWORD style = WS_CHILD | shown | WS_TABSTOP | AlignmentStyle(c.kind, alignment);
      const ScrollBars bars = c.scroll_bars.value_or(ScrollBars::None);
      const bool vertical = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
      const bool horizontal = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
      if (c.multi_line.value_or(false)) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (vertical) style |= WS_VSCROLL;
        // Without a horizontal scroll bar, lines wrap at the box's edge.
        if (horizontal) style |= WS_HSCROLL | ES_AUTOHSCROLL;
      } else {
        style |= ES_AUTOHSCROLL;
      }
      if (c.read_only.value_or(false)) style |= ES_READONLY;
      return {L"EDIT", style, WS_EX_CLIENTEDGE, COLOR_WINDOW};
    }
  }
  throw RuntimeError(kErrorBadLayout, "Control " + c.name + ": unknown kind " +
                                          std::to_string(static_cast<int>(c.kind)));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const Layout& layout, char decimal_separator)
    : instance_(instance), layout_(layout), panel_(decimal_separator) {
  try {
    const std::wstring class_name = Utf16(layout_.name);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance_;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name.c_str();
    if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw RuntimeError(kErrorBadLayout, "The window class cannot be registered");

    back_brush_ = Brush(layout_.back_colour);

    // The stored client position counts from the primary work area's corner.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const UINT system_dpi = WindowDpi(nullptr);
    RECT frame{0, 0, Pixels(layout_.client.width, system_dpi),
               Pixels(layout_.client.height, system_dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    CreateWindowExW(0, class_name.c_str(), Utf16(layout_.caption).c_str(), kWindowStyle,
                    work.left + Pixels(layout_.client.left, system_dpi),
                    work.top + Pixels(layout_.client.top, system_dpi),
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                    instance_, this);
    if (!window_) throw RuntimeError(kErrorBadLayout, "The window cannot be created");

    big_icon_ = MakeIcon(layout_.icon, GetSystemMetrics(SM_CXICON));
    small_icon_ = MakeIcon(layout_.icon, GetSystemMetrics(SM_CXSMICON));
    if (big_icon_) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
    if (small_icon_)
      SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));

    CreateControls();
    ApplyDpi(WindowDpi(window_));
    BindEvents();

    // The field starts with the layout's text; then Load.
    panel_.TypeFieldText(Utf8(WindowText(field_)));
    panel_.OnLoad();
    ShowPanel();
  } catch (...) {
    Release();
    throw;
  }
}

MainWindow::~MainWindow() { Release(); }

void MainWindow::Release() noexcept {
  if (window_) {
    // Detach first: the object is going, no message may reach it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  brushes_.clear();
  if (big_icon_) DestroyIcon(big_icon_);
  if (small_icon_) DestroyIcon(small_icon_);
  big_icon_ = small_icon_ = nullptr;
}

HBRUSH MainWindow::Brush(COLORREF colour) {
  for (const auto& [made, brush] : brushes_)
    if (made == colour) return brush;
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush) throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  brushes_.emplace_back(colour, brush);
  return brush;
}

void MainWindow::CreateControls() {
  // Made in tab-index order: the z-order is the order that Tab follows.
  std::vector<const Control*> order;
  for (const Control& c : layout_.controls) order.push_back(&c);
  // Equal tab indexes keep their record order.
  std::sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->tab_index != b->tab_index ? a->tab_index < b->tab_index : a < b;
  });

  int id = kFirstControlId;
  for (const Control* c : order) {
    const WindowKind kind = KindOf(*c);
    HWND child = CreateWindowExW(kind.ex_style, kind.window_class, Utf16(c->text).c_str(),
                                 kind.style, 0, 0, 0, 0, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                 instance_, nullptr);
    if (!child)
      throw RuntimeError(kErrorBadLayout,
                         "Control " + ControlId(c->name, c->index) + " cannot be created");
    const bool own_colour = c->back_colour.has_value();
    const COLORREF back = own_colour ? *c->back_colour : GetSysColor(kind.default_colour);
    children_.push_back({c, child, back,
                         own_colour ? Brush(back) : GetSysColorBrush(kind.default_colour)});
  }
}

const MainWindow::Child* MainWindow::FindChild(std::string_view name,
                                               std::int16_t index) const noexcept {
  for (const Child& child : children_)
    if (child.control->name == name && child.control->index == index) return &child;
  return nullptr;
}

const MainWindow::Child& MainWindow::Bound(std::string_view name, std::int16_t index) const {
  if (const Child* child = FindChild(name, index)) return *child;
  throw RuntimeError(kErrorBadLayout, "The layout has no control " + ControlId(name, index));
}

void MainWindow::BindEvents() {
  auto expect = [](const Child& child, ControlKind kind) {
    if (child.control->kind != kind)
      throw RuntimeError(kErrorBadLayout,
                         "Control " + ControlId(child.control->name, child.control->index) +
                             " is not of the kind its events need");
    return child.window;
  };
  field_ = expect(Bound(kFieldName, 0), ControlKind::TextBox);
  top_line_ = expect(Bound(kTopLineName, 0), ControlKind::Label);
  for (std::int16_t index : kButtonIndexes)
    expect(Bound(kButtonArray, index), ControlKind::CommandButton);
}

void MainWindow::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  HFONT old = font_;
  font_ = MakeFont(layout_.font, dpi_);
  for (const Child& child : children_) {
    const TwipsRect& r = child.control->bounds;
    SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    MoveWindow(child.window, Pixels(r.left, dpi_), Pixels(r.top, dpi_), Pixels(r.width, dpi_),
               Pixels(r.height, dpi_), TRUE);
  }
  if (old) DeleteObject(old);

  // The client area to its stored size, whatever the frame measures.
  RECT outer{}, inner{};
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &inner);
  SetWindowPos(window_, nullptr, 0, 0,
               Pixels(layout_.client.width, dpi_) + (outer.right - outer.left) - inner.right,
               Pixels(layout_.client.height, dpi_) + (outer.bottom - outer.top) - inner.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ShowPanel() {
  SendMessageW(field_, EM_SETLIMITTEXT, panel_.FieldLimit(), 0);

  const LONG_PTR style = GetWindowLongPtrW(field_, GWL_STYLE);
  const LONG_PTR aligned = (style & ~static_cast<LONG_PTR>(ES_CENTER | ES_RIGHT)) |
                           static_cast<LONG_PTR>(AlignmentStyle(ControlKind::TextBox,
                                                                panel_.FieldAlignment()));
  if (aligned != style) {
    SetWindowLongPtrW(field_, GWL_STYLE, aligned);
    InvalidateRect(field_, nullptr, TRUE);
  }

  // Written only when changed, so that the caret stays where the user left it.
  auto show = [](HWND control, std::string_view text) {
    const std::wstring wanted = Utf16(text);
    if (WindowText(control) != wanted && !SetWindowTextW(control, wanted.c_str()))
      throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  };
  show(field_, panel_.FieldText());
  show(top_line_, panel_.TopLine());
}

const MainWindow::Child* MainWindow::FindChild(HWND window) const noexcept {
  for (const Child& child : children_)
    if (child.window == window) return &child;
  return nullptr;
}

HWND MainWindow::ControlWindow(std::string_view name, std::int16_t index) const noexcept {
  const Child* child = FindChild(name, index);
  return child ? child->window : nullptr;
}

void MainWindow::Show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  for (const Child& child : children_) {
    const LONG_PTR style = GetWindowLongPtrW(child.window, GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
      SetFocus(child.window);
      break;
    }
  }
}

bool MainWindow::HandleDialogMessage(MSG& message) noexcept {
  return window_ && IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM w,
                                        LPARAM l) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, w, l);
  // No exception may cross the system's frames: a handler's failure is kept
  // for the message loop, and the window closes.
  try {
    return self->HandleMessage(message, w, l);
  } catch (...) {
    if (!self->failure_) self->failure_ = std::current_exception();
    DestroyWindow(window);
    return 0;
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(w));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return OnControlColour(message, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
    case WM_COMMAND: return OnCommand(w, l);
    case WM_NEXTDLGCTL: return OnNextDialogControl(w, l);
    case WM_ACTIVATE: return OnActivate(w, l);
    case WM_DPICHANGED: return OnDpiChanged(LOWORD(w), *reinterpret_cast<const RECT*>(l));
    case WM_DESTROY: return OnDestroy();
    case WM_NCDESTROY: {
      HWND going = window_;
      SetWindowLongPtrW(going, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(going, message, w, l);
    }
    default: return DefWindowProcW(window_, message, w, l);
  }
}

LRESULT MainWindow::OnEraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(dc, &client, back_brush_);
  return 1;
}

LRESULT MainWindow::OnControlColour(UINT message, HDC dc, HWND control) {
  const Child* child = FindChild(control);
  if (!child) return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(control));
  SetBkColor(dc, child->back);
  SetTextColor(dc, GetSysColor(child->control->kind == ControlKind::TextBox ? COLOR_WINDOWTEXT
                                                                            : COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(child->brush);
}

LRESULT MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Child* child = FindChild(item.hwndItem);
  if (!child || item.CtlType != ODT_BUTTON) return FALSE;
  // A push button in its own colour: raised edge, sunken while pressed.
  RECT box = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &box, child->brush);
  DrawEdge(item.hDC, &box, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  const std::wstring caption = WindowText(item.hwndItem);
  RECT text = box;
  if (pressed) OffsetRect(&text, 1, 1);
  const int old_mode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF old_colour = SetTextColor(
      item.hDC, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  HGDIOBJ old_font = SelectObject(item.hDC, font_);
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(item.hDC, old_font);
  SetTextColor(item.hDC, old_colour);
  SetBkMode(item.hDC, old_mode);

  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(item.hDC, &focus);
  }
  return TRUE;
}

LRESULT MainWindow::OnCommand(WPARAM w, LPARAM l) {
  // Enter, as IsDialogMessage passes it on (IDOK, no control): it presses
  // the button that has the focus, as in a dialog.
  if (l == 0 && LOWORD(w) == IDOK) {
    const Child* focused = FindChild(GetFocus());
    if (focused && focused->control->kind == ControlKind::CommandButton)
      SendMessageW(focused->window, BM_CLICK, 0, 0);
    return 0;
  }
  const Child* child = FindChild(reinterpret_cast<HWND>(l));
  if (!child || HIWORD(w) != BN_CLICKED || child->control->kind != ControlKind::CommandButton ||
      child->control->name != kButtonArray)
    return 0;
  // The field's text is read afresh for every press.
  panel_.TypeFieldText(Utf8(WindowText(field_)));
  panel_.OnCommand(child->control->index);
  ShowPanel();
  return 0;
}

LRESULT MainWindow::OnNextDialogControl(WPARAM w, LPARAM l) {
  // Sent by IsDialogMessage and by a multi-line edit on Tab: wParam is the
  // control (lParam set) or backwards-or-not (lParam 0).
  HWND next = LOWORD(l) ? reinterpret_cast<HWND>(w)
                        : GetNextDlgTabItem(window_, GetFocus(), w != 0 ? TRUE : FALSE);
  if (!next) return 0;
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageW(next, EM_SETSEL, 0, -1);
  return 0;
}

LRESULT MainWindow::OnActivate(WPARAM w, LPARAM l) {
  if (LOWORD(w) == WA_INACTIVE) {
    last_focus_ = GetFocus();
  } else if (last_focus_ && IsChild(window_, last_focus_)) {
    SetFocus(last_focus_);
    return 0;
  }
  return DefWindowProcW(window_, WM_ACTIVATE, w, l);
}

LRESULT MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(dpi);
  return 0;
}

LRESULT MainWindow::OnDestroy() {
  PostQuitMessage(failure_ ? 1 : 0);
  return 0;
}

}  // namespace velmora::win32
