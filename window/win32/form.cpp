#include "window/win32/form.h"

#include <algorithm>
#include <cstring>

#include "numbers/runtime_error.h"
#include "panel/field_edit.h"
#include "window/front_end.h"
#include "window/icon_image.h"
#include "window/win32/text.h"

namespace velmora::win32 {
namespace {

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Typed by Ctrl+A and Ctrl+V: WM_CHAR brings them as control characters.
constexpr wchar_t kCtrlA = 0x01, kCtrlV = 0x16;

// The dpi of the monitor that shows `window` where the system knows it
// (looked up at run time: older systems lack the function), or the
// system's dpi.
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

OwnedFont MakeFont(const FontLook& look, UINT dpi) {
  LOGFONTW logfont{};
  // A negative height asks for the character height, which is what a
  // point size means.
  logfont.lfHeight = -look.PixelHeight(dpi);
  logfont.lfWeight = look.weight;
  logfont.lfItalic = look.italic ? TRUE : FALSE;
  logfont.lfUnderline = look.underline ? TRUE : FALSE;
  logfont.lfStrikeOut = look.strike_out ? TRUE : FALSE;
  logfont.lfCharSet = static_cast<BYTE>(look.charset);
  logfont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logfont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logfont.lfQuality = DEFAULT_QUALITY;
  logfont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Utf16(look.family);
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::memcpy(logfont.lfFaceName, face.data(), n * sizeof(wchar_t));
  OwnedFont made(CreateFontIndirectW(&logfont));
  if (!made) throw RuntimeError(kErrorBadLayout, "The window's font cannot be made");
  return made;
}

// An icon from the first image of the record's icon file, or none.
OwnedIcon MakeIcon(const std::vector<std::uint8_t>& file, int size) {
  const std::span<const std::uint8_t> image = FirstIconImage(file);
  if (image.empty()) return nullptr;
  return OwnedIcon(CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                            static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                            size, size, LR_DEFAULTCOLOR));
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
  const ControlLook look = LookOf(c);
  // Siblings clip each other, so that a label never paints over a box.
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS | (look.visible ? WS_VISIBLE : 0);
  switch (c.kind) {
    case ControlKind::Label:
      return {L"STATIC", child | AlignmentStyle(c.kind, look.alignment), 0, COLOR_BTNFACE};
    case ControlKind::CommandButton:
      return {L"BUTTON",
              child | WS_TABSTOP | (look.own_colour_button ? BS_OWNERDRAW : BS_PUSHBUTTON), 0,
              COLOR_BTNFACE};
    case ControlKind::TextBox: {
      DWORD style = child | WS_TABSTOP | AlignmentStyle(c.kind, look.alignment);
      if (look.multi_line) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (look.vertical_scroll_bar) style |= WS_VSCROLL;
        if (look.horizontal_scroll_bar) style |= WS_HSCROLL | ES_AUTOHSCROLL;
      } else {
        style |= ES_AUTOHSCROLL;
      }
      if (look.read_only) style |= ES_READONLY;
      return {L"EDIT", style, WS_EX_CLIENTEDGE, COLOR_WINDOW};
    }
  }
  throw RuntimeError(kErrorBadLayout, "Control " + ControlId(c.name, c.index) + ": unknown kind " +
                                          std::to_string(static_cast<int>(c.kind)));
}

// The clipboard's text, or nothing when it holds none or cannot be opened.
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Characters (code points) in the first `units` UTF-16 units of `text`.
std::size_t CharsIn(std::wstring_view text, std::size_t units) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < units && i < text.size(); ++i)
    if (!(text[i] >= 0xDC00 && text[i] <= 0xDFFF && i > 0 && text[i - 1] >= 0xD800 &&
          text[i - 1] <= 0xDBFF))
      ++chars;
  return chars;
}

bool IsReadOnly(HWND edit) { return (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0; }

}  // namespace

Form::Form(HINSTANCE instance, const Layout& layout, Events events)
    : instance_(instance), layout_(layout), events_(std::move(events)) {
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
    RECT frame{0, 0, TwipsToPixels(layout_.client.width, system_dpi),
               TwipsToPixels(layout_.client.height, system_dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    CreateWindowExW(0, class_name.c_str(), Utf16(layout_.caption).c_str(), kWindowStyle,
                    work.left + TwipsToPixels(layout_.client.left, system_dpi),
                    work.top + TwipsToPixels(layout_.client.top, system_dpi),
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                    instance_, this);
    if (!window_) throw RuntimeError(kErrorBadLayout, "The window cannot be created");

    big_icon_ = MakeIcon(layout_.icon, GetSystemMetrics(SM_CXICON));
    small_icon_ = MakeIcon(layout_.icon, GetSystemMetrics(SM_CXSMICON));
    if (big_icon_)
      SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
    if (small_icon_)
      SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));

    CreateControls();
    ApplyDpi(WindowDpi(window_));
  } catch (...) {
    Release();
    throw;
  }
}

Form::~Form() { Release(); }

// The window goes before the fonts, brushes and icons it shows.
void Form::Release() noexcept {
  if (window_) {
    // Detach first: the object is going, no message may reach it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    for (const Child& child : children_)
      if (child.edit_proc)
        SetWindowLongPtrW(child.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(child.edit_proc));
    DestroyWindow(window_);
    window_ = nullptr;
  }
}

HBRUSH Form::Brush(COLORREF colour) {
  for (const auto& [made, brush] : brushes_)
    if (made == colour) return brush.get();
  OwnedBrush brush(CreateSolidBrush(colour));
  if (!brush) throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  brushes_.emplace_back(colour, std::move(brush));
  return brushes_.back().second.get();
}

void Form::CreateControls() {
  // The first child is the topmost and the first that Tab reaches: text
  // boxes and buttons in tab order, then the labels beneath them.
  std::vector<const Control*> order = StackingOrder(layout_);
  std::stable_partition(order.begin(), order.end(),
                        [](const Control* c) { return c->kind != ControlKind::Label; });

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
    Child made{c, child, back, own_colour ? Brush(back) : GetSysColorBrush(kind.default_colour),
               nullptr, 0, 0};
    if (c->kind == ControlKind::TextBox) {
      // Typing and pasting go through the editing rule (EditProc).
      SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      made.edit_proc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    }
    children_.push_back(made);
  }
}

Form::Child* Form::FindChild(HWND window) noexcept {
  for (Child& child : children_)
    if (child.window == window) return &child;
  return nullptr;
}

const Form::Child* Form::FindChild(std::string_view name, std::int16_t index) const noexcept {
  for (const Child& child : children_)
    if (child.control->name == name && child.control->index == index) return &child;
  return nullptr;
}

HWND Form::ControlWindow(std::string_view name, std::int16_t index) const noexcept {
  const Child* child = FindChild(name, index);
  return child ? child->window : nullptr;
}

HWND Form::ControlWindow(const Control& control) const noexcept {
  return ControlWindow(control.name, control.index);
}

void Form::SetCharacterLimit(const Control& control, std::size_t limit) noexcept {
  if (Child* child = FindChild(ControlWindow(control))) child->limit = limit;
}

void Form::SetAlignment(const Control& control, Alignment alignment) {
  HWND box = ControlWindow(control);
  if (!box) return;
  const LONG_PTR style = GetWindowLongPtrW(box, GWL_STYLE);
  const LONG_PTR aligned = (style & ~static_cast<LONG_PTR>(ES_CENTER | ES_RIGHT)) |
                           static_cast<LONG_PTR>(AlignmentStyle(ControlKind::TextBox, alignment));
  if (aligned != style) {
    SetWindowLongPtrW(box, GWL_STYLE, aligned);
    InvalidateRect(box, nullptr, TRUE);
  }
}

void Form::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  OwnedFont font = MakeFont(FontLookOf(layout_.font), dpi_);
  for (const Child& child : children_) {
    const PixelRect r = ToPixels(child.control->bounds, dpi_);
    SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    MoveWindow(child.window, r.left, r.top, r.width, r.height, TRUE);
  }
  font_ = std::move(font);  // the old font goes once no control shows it

  // The client area to its stored size, whatever the frame measures.
  RECT outer{}, inner{};
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &inner);
  SetWindowPos(window_, nullptr, 0, 0,
               TwipsToPixels(layout_.client.width, dpi_) + (outer.right - outer.left) - inner.right,
               TwipsToPixels(layout_.client.height, dpi_) + (outer.bottom - outer.top) - inner.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  const std::vector<const Control*> order = TabOrder(layout_);
  if (!order.empty()) SetFocus(ControlWindow(*order.front()));
}

bool Form::HandleDialogMessage(MSG& message) noexcept {
  return window_ && IsDialogMessageW(window_, &message);
}

// ---- Messages ---------------------------------------------------------------

template <class Handler>
LRESULT Form::Guard(Handler&& handler) noexcept {
  // No exception may cross the system's frames: a handler's failure is kept
  // for the message loop, and the window closes.
  try {
    return handler();
  } catch (...) {
    if (!failure_) failure_ = std::current_exception();
    if (window_) DestroyWindow(window_);
    return 0;
  }
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, w, l);
  return self->Guard([&] { return self->HandleMessage(message, w, l); });
}

LRESULT Form::HandleMessage(UINT message, WPARAM w, LPARAM l) {
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

LRESULT Form::OnEraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(dc, &client, back_brush_);
  return 1;
}

LRESULT Form::OnControlColour(UINT message, HDC dc, HWND control) {
  const Child* child = FindChild(control);
  if (!child) return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(control));
  SetBkColor(dc, child->back);
  SetTextColor(dc, GetSysColor(child->control->kind == ControlKind::TextBox ? COLOR_WINDOWTEXT
                                                                            : COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(child->brush);
}

// A button in its own colour: an exact fill, a raised edge that is sunken
// while held (the caption moving with it), and the focus rectangle.
LRESULT Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Child* child = FindChild(item.hwndItem);
  if (!child || item.CtlType != ODT_BUTTON) return FALSE;
  RECT box = item.rcItem;
  const bool held = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &box, child->brush);
  DrawEdge(item.hDC, &box, held ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);  // kButtonEdgePixels wide

  const std::wstring caption = WindowText(item.hwndItem);
  RECT text = box;
  if (held) OffsetRect(&text, kPressedCaptionShift, kPressedCaptionShift);
  const int old_mode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF old_colour = SetTextColor(
      item.hDC, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  HGDIOBJ old_font = SelectObject(item.hDC, font_.get());
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(item.hDC, old_font);
  SetTextColor(item.hDC, old_colour);
  SetBkMode(item.hDC, old_mode);

  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -kFocusRectangleInset, -kFocusRectangleInset);
    DrawFocusRect(item.hDC, &focus);
  }
  return TRUE;
}

LRESULT Form::OnCommand(WPARAM w, LPARAM l) {
  // Enter, as IsDialogMessage passes it on (IDOK, no control): it presses
  // the button that has the focus, as in a dialog.
  if (l == 0 && LOWORD(w) == IDOK) {
    const Child* focused = FindChild(GetFocus());
    if (focused && focused->control->kind == ControlKind::CommandButton)
      SendMessageW(focused->window, BM_CLICK, 0, 0);
    return 0;
  }
  const Child* child = FindChild(reinterpret_cast<HWND>(l));
  if (!child) return 0;
  if (HIWORD(w) == BN_CLICKED && child->control->kind == ControlKind::CommandButton &&
      events_.click)
    events_.click(*child->control);
  else if (HIWORD(w) == EN_CHANGE && child->control->kind == ControlKind::TextBox &&
           events_.edited)
    events_.edited(*child->control);
  return 0;
}

LRESULT Form::OnNextDialogControl(WPARAM w, LPARAM l) {
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

LRESULT Form::OnActivate(WPARAM w, LPARAM l) {
  if (LOWORD(w) == WA_INACTIVE) {
    last_focus_ = GetFocus();
  } else if (last_focus_ && IsChild(window_, last_focus_)) {
    SetFocus(last_focus_);
    return 0;
  }
  return DefWindowProcW(window_, WM_ACTIVATE, w, l);
}

LRESULT Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(dpi);
  return 0;
}

LRESULT Form::OnDestroy() {
  PostQuitMessage(failure_ ? 1 : 0);
  return 0;
}

// ---- Text boxes -------------------------------------------------------------

LRESULT CALLBACK Form::EditProc(HWND edit, UINT message, WPARAM w, LPARAM l) noexcept {
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  Child* child = self ? self->FindChild(edit) : nullptr;
  if (!child) return DefWindowProcW(edit, message, w, l);
  return self->Guard([&] { return self->HandleEditMessage(*child, message, w, l); });
}

LRESULT Form::HandleEditMessage(Child& edit, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CHAR: return OnEditChar(edit, w, l);
    case WM_KEYDOWN: return OnEditKeyDown(edit, w, l);
    case WM_PASTE:
      if (!IsReadOnly(edit.window)) InsertText(edit, ClipboardText(window_));
      return 0;
    default: return CallWindowProcW(edit.edit_proc, edit.window, message, w, l);
  }
}

LRESULT Form::OnEditChar(Child& edit, WPARAM w, LPARAM l) {
  const auto unit = static_cast<wchar_t>(w);
  if (unit == kCtrlA) {
    SendMessageW(edit.window, EM_SETSEL, 0, -1);
    return 0;
  }
  if (IsReadOnly(edit.window) || (unit < 0x20 && unit != kCtrlV) || unit == 0x7F)
    return CallWindowProcW(edit.edit_proc, edit.window, WM_CHAR, w, l);  // Backspace, Enter...
  if (unit == kCtrlV) {
    InsertText(edit, ClipboardText(window_));
  } else if (unit >= 0xD800 && unit <= 0xDBFF) {
    edit.high_surrogate = unit;  // a character beyond the basic plane comes in two halves
  } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
    if (edit.high_surrogate) InsertText(edit, std::wstring{edit.high_surrogate, unit});
    edit.high_surrogate = 0;
  } else {
    edit.high_surrogate = 0;
    InsertText(edit, std::wstring_view(&unit, 1));
  }
  return 0;
}

// Shift+Insert pastes too.
LRESULT Form::OnEditKeyDown(Child& edit, WPARAM w, LPARAM l) {
  if (w == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
    if (!IsReadOnly(edit.window)) InsertText(edit, ClipboardText(window_));
    return 0;
  }
  return CallWindowProcW(edit.edit_proc, edit.window, WM_KEYDOWN, w, l);
}

void Form::InsertText(Child& edit, std::wstring_view inserted) {
  DWORD start = 0, end = 0;
  SendMessageW(edit.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::wstring current = WindowText(edit.window);
  start = std::min<DWORD>(start, static_cast<DWORD>(current.size()));
  end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(current.size()));
  const FieldEdit result = InsertIntoField(Utf8(current), CharsIn(current, start),
                                           CharsIn(current, end), Utf8(inserted), edit.limit);
  // The rule keeps the text outside the selection: what stands between is
  // what goes in, as the edit's own replacement so that undo keeps it.
  const std::wstring text = Utf16(result.text);
  const std::size_t kept_length = text.size() - (current.size() - (end - start));
  const std::wstring kept = text.substr(start, kept_length);
  if (kept.empty() && start == end) return;  // a full box takes nothing
  SendMessageW(edit.window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

}  // namespace velmora::win32
