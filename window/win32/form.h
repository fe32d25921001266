#pragma once
// A window built from a decoded layout on Win32.
//
// The form knows no particular control: it creates one child window per
// layout entry, by kind (label: STATIC, text box: EDIT, command button:
// BUTTON, owner-drawn when in its own colour), with every stored setting
// as window/front_end.h decodes it, stacked so that labels lie beneath and
// the keyboard goes round in tab order. It behaves as a dialog: Tab and
// Shift+Tab move the focus, Enter and Space press the focused button, and
// Ctrl+A selects a text box's whole text. Every insertion into an editable
// text box (typing, pasting) goes through the field's editing rule
// (panel/field_edit.h), with the limit that SetCharacterLimit gives, in
// characters. What the user does reaches the owner through Events.

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
#include <string_view>
#include <vector>

#include "window/layout.h"
#include "window/win32/handles.h"

namespace velmora::win32 {

class Form {
 public:
  struct Events {
    std::function<void(const Control&)> click;   // a button was pressed
    std::function<void(const Control&)> edited;  // a text box's text changed
  };

  // Creates the window (hidden) and its controls. Raises RuntimeError when
  // a window or a font cannot be made. The layout must outlive the form.
  Form(HINSTANCE instance, const Layout& layout, Events events);
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
  std::exception_ptr Failure() const noexcept { return failure_; }

  // Aligns the text of text box `control`.
  void SetAlignment(const Control& control, Alignment alignment);

  // The most characters the user may put in text box `control`; 0 is none.
  void SetCharacterLimit(const Control& control, std::size_t limit) noexcept;

 private:
  struct Child {
    const Control* control;
    HWND window;
    COLORREF back;
    HBRUSH brush;             // one of brushes_, or a system brush
    WNDPROC edit_proc;        // a text box's own window procedure
    std::size_t limit;        // a text box's limit in characters, 0: none
    wchar_t high_surrogate;   // the first half of a character being typed
  };

  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  LRESULT HandleEditMessage(Child& edit, UINT message, WPARAM w, LPARAM l);
  // Runs a handler; a failure is kept and closes the window.
  template <class Handler>
  LRESULT Guard(Handler&& handler) noexcept;

  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnControlColour(UINT message, HDC dc, HWND control);
  LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
  LRESULT OnCommand(WPARAM w, LPARAM l);
  LRESULT OnNextDialogControl(WPARAM w, LPARAM l);
  LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnActivate(WPARAM w, LPARAM l);
  LRESULT OnDestroy();

  LRESULT OnEditChar(Child& edit, WPARAM w, LPARAM l);
  LRESULT OnEditKeyDown(Child& edit, WPARAM w, LPARAM l);
  void InsertText(Child& edit, std::wstring_view inserted);

  void Release() noexcept;
  void CreateControls();
  void ApplyDpi(UINT dpi);
  HBRUSH Brush(COLORREF colour);
  Child* FindChild(HWND window) noexcept;
  const Child* FindChild(std::string_view name, std::int16_t index) const noexcept;

  HINSTANCE instance_;
  const Layout& layout_;
  Events events_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  OwnedFont font_;
  OwnedIcon big_icon_, small_icon_;
  std::vector<std::pair<COLORREF, OwnedBrush>> brushes_;
  HBRUSH back_brush_ = nullptr;
  std::vector<Child> children_;
  HWND last_focus_ = nullptr;  // restored when the window is activated again
  std::exception_ptr failure_;
  HWND window_ = nullptr;
};

}  // namespace velmora::win32
