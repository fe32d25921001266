#pragma once
// A window built from a decoded layout on Win32.
//
// The form knows no particular control: it creates one child window per
// layout entry, by kind (label: STATIC, text box: EDIT, command button:
// BUTTON, owner-drawn when in its own colour), with every stored setting
// as window/front_end.h decodes it, stacked so that labels lie beneath and
// the keyboard goes round in tab order (TopDownOrder). It behaves as a
// dialog (DialogKeys). Each control has one Subclass, whose filters are
// its concerns: what a screen reader hears of it (AccessibleControl); in
// every text box, Ctrl+A (SelectAllKey); in a one-line text box, its
// insertions, which go to the rule its owner sets (LineEdit). One label
// may be a live region, whose new texts a screen reader speaks; it keeps
// the system's own window procedure and accessible object. The
// colours are the layout's, or under a high-contrast theme the system's
// (ColoursOf), and the window redraws when the theme changes. What the
// user does reaches the owner through Events.
// The twin of window/qt/form.h.

#include <windows.h>

// The build targets Windows XP (_WIN32_WINNT 0x0501), so the headers hide
// what later systems added; these values are fixed and harmless where the
// system never sends or uses them.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0  // Windows 8.1 on: the window's monitor dpi changed
#endif
#ifndef USER_DEFAULT_SCREEN_DPI
#define USER_DEFAULT_SCREEN_DPI 96  // the dpi at 100 % scaling
#endif

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/front_end.h"
#include "window/layout.h"
#include "window/win32/accessibility.h"
#include "window/win32/dialog_keys.h"
#include "window/win32/handler_failure.h"
#include "window/win32/handles.h"
#include "window/win32/line_edit.h"
#include "window/win32/subclass.h"

namespace velmora::win32 {

// Whether the user has chosen a high-contrast theme (SPI_GETHIGHCONTRAST).
bool SystemHighContrast() noexcept;

class Form {
 public:
  struct Events {
    std::function<void(const Control&)> click;   // a button was pressed
    std::function<void(const Control&)> edited;  // a text box's text changed
  };
  // Where the form learns whether a high-contrast theme is on.
  using HighContrastQuery = bool (*)();

  // Creates the window (hidden) and its controls. `live_label`, if given,
  // is a label of the layout whose new texts a screen reader speaks
  // (LiveRegion). Raises RuntimeError when a window or a font cannot be
  // made. The layout must outlive the form.
  Form(HINSTANCE instance, const Layout& layout, Events events, const Control* live_label = nullptr,
       HighContrastQuery high_contrast = SystemHighContrast);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Shows the window and puts the focus on the first control in tab order.
  void Show(int show_command);

  // For the message loop: handles a message for this window or its
  // controls as a dialog does and returns true if it did; the loop then
  // must not dispatch it again.
  bool HandleDialogMessage(MSG& message) noexcept;

  // nullptr once the window is destroyed.
  HWND Handle() const noexcept { return window_; }
  // The child window of control name(index), or nullptr.
  HWND ControlWindow(std::string_view name, std::int16_t index) const noexcept;
  HWND ControlWindow(const Control& control) const noexcept;
  // What an event handler threw, if one did; the window has destroyed
  // itself then, and the message loop ends.
  std::exception_ptr Failure() const noexcept { return failure_.Get(); }

  // The one-line text box of `control`, or nullptr.
  LineEdit* Edit(const Control& control) const noexcept;

  // Aligns the text of text box `control`.
  void SetAlignment(const Control& control, Alignment alignment);
  // Shows `text` (UTF-8) in `control` unless it shows it already; gives
  // whether it changed. Raises RuntimeError when the text cannot be set.
  bool ShowText(const Control& control, std::string_view text);
  // Tells screen readers the live label's text (nothing for another control).
  void Announce(const Control& control) noexcept;
  // How far the live label's live setting has come (kNone without one).
  LiveRegion::Mark LiveMark() const noexcept;

 private:
  struct Child {
    const Control* control = nullptr;
    HWND window = nullptr;
    std::unique_ptr<Subclass> subclass;  // none for the live label
    LineEdit* edit = nullptr;            // a filter of `subclass` in a one-line box
    ControlColours colours;              // as ColoursOf chose them
    COLORREF back = 0, text = 0;
    HBRUSH brush = nullptr;  // one of brushes_, or a system brush
  };

  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);

  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnControlColour(UINT message, HDC dc, HWND control);
  LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
  LRESULT OnCommand(WPARAM w, LPARAM l);
  LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnThemeChanged();
  LRESULT OnGetObject(WPARAM w, LPARAM l);
  LRESULT OnDestroy();
  LRESULT OnNcDestroy(WPARAM w, LPARAM l);

  void Release() noexcept;
  void CreateWindowAndIcons();
  void CreateControls(const Control* live_label);
  void ApplyDpi(UINT dpi);
  void ApplyColours();
  COLORREF Resolve(const ColourChoice& colour) const;
  HBRUSH Brush(const ColourChoice& colour);
  const Child* FindChild(HWND window) const noexcept;
  const Child* FindChild(std::string_view name, std::int16_t index) const noexcept;

  HINSTANCE instance_;
  const Layout& layout_;
  Events events_;
  HighContrastQuery high_contrast_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  OwnedFont font_;
  OwnedIcon big_icon_, small_icon_;
  std::vector<std::pair<COLORREF, OwnedBrush>> brushes_;
  HBRUSH back_brush_ = nullptr;
  HandlerFailure failure_;
  ScreenReaderPresence reader_;
  std::vector<Child> children_;
  std::optional<LiveRegion> live_;
  std::optional<DialogKeys> keys_;
  HWND window_ = nullptr;
};

}  // namespace velmora::win32
