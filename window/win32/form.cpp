#include "window/win32/form.h"

#include <algorithm>

#include "numbers/runtime_error.h"
#include "window/front_end.h"
#include "window/icon_image.h"
#include "window/win32/colour_button.h"
#include "window/win32/text.h"

namespace velmora::win32 {
namespace {

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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

}  // namespace

Form::Form(HINSTANCE instance, const Layout& layout, Events events)
    : instance_(instance), layout_(layout), events_(std::move(events)) {
  try {
    back_brush_ = Brush(layout_.back_colour);
    CreateWindowAndIcons();
    keys_.emplace(window_, [this](HWND focused) {
      const Child* child = FindChild(focused);
      return child && LookOf(*child->control).enter_presses;
    });
    CreateControls();
    ApplyDpi(WindowDpi(window_));
  } catch (...) {
    Release();
    throw;
  }
}

void Form::CreateWindowAndIcons() {
  const std::wstring class_name = Utf16(layout_.name);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = class_name.c_str();
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw RuntimeError(kErrorBadLayout, "The window class cannot be registered");

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
                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_,
                  this);
  if (!window_) throw RuntimeError(kErrorBadLayout, "The window cannot be created");

  big_icon_ = MakeIcon(layout_.icon, GetSystemMetrics(SM_CXICON));
  small_icon_ = MakeIcon(layout_.icon, GetSystemMetrics(SM_CXSMICON));
  if (big_icon_)
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
  if (small_icon_)
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
}

Form::~Form() { Release(); }

// The window goes before the fonts, brushes and icons it shows.
void Form::Release() noexcept {
  if (window_) {
    // Detach first: the object is going, no message may reach it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    accessibles_.clear();  // the subclasses go in the order opposite to their making
    edits_.clear();
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
    children_.push_back(
        {c, child, back, own_colour ? Brush(back) : GetSysColorBrush(kind.default_colour)});
    if (c->kind == ControlKind::TextBox) edits_.push_back(std::make_unique<LineEdit>(child, failure_));
    accessibles_.push_back(std::make_unique<AccessibleControl>(child, layout_, *c));
  }
}

const Form::Child* Form::FindChild(HWND window) const noexcept {
  for (const Child& child : children_)
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

LineEdit* Form::Edit(const Control& control) const noexcept {
  HWND window = ControlWindow(control);
  for (const auto& edit : edits_)
    if (window && edit->Handle() == window) return edit.get();
  return nullptr;
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
  return window_ && keys_ && keys_->HandleMessage(message);
}

// ---- Messages ---------------------------------------------------------------

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, w, l);
  return self->failure_.Run(window, [&] { return self->HandleMessage(message, w, l); });
}

LRESULT Form::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  if (LRESULT result = 0; keys_ && keys_->OnMessage(message, w, l, result)) return result;
  switch (message) {
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(w));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return OnControlColour(message, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
    case WM_COMMAND: return OnCommand(w, l);
    case WM_DPICHANGED: return OnDpiChanged(LOWORD(w), *reinterpret_cast<const RECT*>(l));
    case WM_DESTROY: return OnDestroy();
    case WM_NCDESTROY: return OnNcDestroy(w, l);
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

LRESULT Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Child* child = FindChild(item.hwndItem);
  if (!child || item.CtlType != ODT_BUTTON) return FALSE;
  DrawColourButton(item, child->back, font_.get());
  return TRUE;
}

LRESULT Form::OnCommand(WPARAM w, LPARAM l) {
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

LRESULT Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(dpi);
  return 0;
}

LRESULT Form::OnDestroy() {
  PostQuitMessage(failure_.Get() ? 1 : 0);
  return 0;
}

LRESULT Form::OnNcDestroy(WPARAM w, LPARAM l) {
  HWND going = window_;
  SetWindowLongPtrW(going, GWLP_USERDATA, 0);
  window_ = nullptr;
  return DefWindowProcW(going, WM_NCDESTROY, w, l);
}

}  // namespace velmora::win32
