#include "window/win32/form.h"

#include <variant>

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
};

WindowKind KindOf(const Control& c) {
  const ControlLook look = LookOf(c);
  // Siblings clip each other, so that a label never paints over a box.
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS | (look.visible ? WS_VISIBLE : 0);
  switch (c.kind) {
    case ControlKind::Label:
      return {L"STATIC", child | AlignmentStyle(c.kind, look.alignment), 0};
    case ControlKind::CommandButton:
      return {L"BUTTON",
              child | WS_TABSTOP | (look.own_colour_button ? BS_OWNERDRAW : BS_PUSHBUTTON), 0};
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
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
  }
  throw RuntimeError(kErrorBadLayout, "Control " + ControlId(c.name, c.index) + ": unknown kind " +
                                          std::to_string(static_cast<int>(c.kind)));
}

int SystemIndex(SystemColour colour) {
  switch (colour) {
    case SystemColour::Face: return COLOR_BTNFACE;
    case SystemColour::FaceText: return COLOR_BTNTEXT;
    case SystemColour::Window: return COLOR_WINDOW;
    case SystemColour::WindowText: break;
  }
  return COLOR_WINDOWTEXT;
}

}  // namespace

bool SystemHighContrast() noexcept {
  HIGHCONTRASTW high_contrast{};
  high_contrast.cbSize = sizeof high_contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof high_contrast, &high_contrast, 0) &&
         (high_contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Form::Form(HINSTANCE instance, const Layout& layout, Events events, const Control* live_label,
           HighContrastQuery high_contrast)
    : instance_(instance), layout_(layout), events_(std::move(events)), high_contrast_(high_contrast) {
  try {
    CreateWindowAndIcons();
    keys_.emplace(window_, [this](HWND focused) {
      const Child* child = FindChild(focused);
      return child && LookOf(*child->control).enter_presses;
    });
    CreateControls(live_label);
    ApplyColours();
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

// The window goes before the fonts, brushes and icons it shows; each
// control's subclass leaves it as it goes (at WM_NCDESTROY).
void Form::Release() noexcept {
  live_.reset();  // its label's marks go while the label is still there
  if (window_) {
    // Detach first: the object is going, no message may reach it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
}

COLORREF Form::Resolve(const ColourChoice& colour) const {
  if (const auto* system = std::get_if<SystemColour>(&colour)) return GetSysColor(SystemIndex(*system));
  return std::get<Colour>(colour);
}

// A system colour's own brush (which follows the colour), or one made for
// a stored colour, once.
HBRUSH Form::Brush(const ColourChoice& choice) {
  if (const auto* system = std::get_if<SystemColour>(&choice))
    return GetSysColorBrush(SystemIndex(*system));
  const COLORREF colour = std::get<Colour>(choice);
  for (const auto& [made, brush] : brushes_)
    if (made == colour) return brush.get();
  OwnedBrush brush(CreateSolidBrush(colour));
  if (!brush) throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  brushes_.emplace_back(colour, std::move(brush));
  return brushes_.back().second.get();
}

void Form::CreateControls(const Control* live_label) {
  int id = kFirstControlId;
  for (const Control* c : TopDownOrder(layout_)) {
    const WindowKind kind = KindOf(*c);
    HWND window = CreateWindowExW(kind.ex_style, kind.window_class, Utf16(c->text).c_str(),
                                  kind.style, 0, 0, 0, 0, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                  instance_, nullptr);
    if (!window)
      throw RuntimeError(kErrorBadLayout,
                         "Control " + ControlId(c->name, c->index) + " cannot be created");
    Child& child = children_.emplace_back();
    child.control = c;
    child.window = window;
    if (c == live_label) {
      live_.emplace(window, reader_);
      continue;
    }
    child.subclass = std::make_unique<Subclass>(window, failure_);
    child.subclass->Add<AccessibleControl>(window, layout_, *c, reader_);
    if (c->kind != ControlKind::TextBox) continue;
    child.subclass->Add<SelectAllKey>(window);
    if (!LookOf(*c).multi_line) child.edit = &child.subclass->Add<LineEdit>(window);
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
  const Child* child = FindChild(control.name, control.index);
  return child ? child->edit : nullptr;
}

bool Form::ShowText(const Control& control, std::string_view text) {
  HWND window = ControlWindow(control);
  const std::wstring wanted = Utf16(text);
  if (!window || WindowText(window) == wanted) return false;
  if (!SetWindowTextW(window, wanted.c_str())) throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  return true;
}

void Form::Announce(const Control& control) noexcept {
  if (live_ && live_->Label() == ControlWindow(control)) live_->Changed();
}

LiveRegion::Mark Form::LiveMark() const noexcept {
  return live_ ? live_->Marked() : LiveRegion::Mark::kNone;
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

// The colours ColoursOf chooses, for the theme now on, with the brushes
// that paint them.
void Form::ApplyColours() {
  const bool high_contrast = high_contrast_();
  const ColourChoice back = WindowBackOf(layout_, high_contrast);
  back_brush_ = Brush(back);
  for (Child& child : children_) {
    child.colours = ColoursOf(*child.control, high_contrast);
    child.back = Resolve(child.colours.back);
    child.text = Resolve(child.colours.text);
    child.brush = Brush(child.colours.back);
  }
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
    case WM_SYSCOLORCHANGE: return OnThemeChanged();
    case WM_SETTINGCHANGE:
      if (w == SPI_SETHIGHCONTRAST) return OnThemeChanged();
      return DefWindowProcW(window_, message, w, l);
    case WM_GETOBJECT: return OnGetObject(w, l);
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
  SetTextColor(dc, child->text);
  return reinterpret_cast<LRESULT>(child->brush);
}

LRESULT Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Child* child = FindChild(item.hwndItem);
  if (!child || item.CtlType != ODT_BUTTON) return FALSE;
  if (child->colours.own_colour_button)
    DrawColourButton(item, child->back, child->text, font_.get());
  else
    DrawSystemButton(item, child->text, font_.get());
  return TRUE;
}

// A high-contrast theme was turned on or off, or the system's colours
// changed: every control is drawn again in what ColoursOf now chooses.
LRESULT Form::OnThemeChanged() {
  ApplyColours();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return 0;
}

// A screen reader is about: the window's own object is the system's.
LRESULT Form::OnGetObject(WPARAM w, LPARAM l) {
  reader_.Asked();
  return DefWindowProcW(window_, WM_GETOBJECT, w, l);
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

// The children still exist here: the live region clears its label's marks.
LRESULT Form::OnDestroy() {
  live_.reset();
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
