#pragma once
// The program's window on Win32, built from a decoded layout.
//
// The layer knows no particular control: it creates one child window per
// layout entry, by kind (label: STATIC, text box: EDIT, command button:
// BUTTON), with every stored setting, in tab-index order so that the
// keyboard goes round in that order. The handlers change the NumberPanel
// and then one function, ShowPanel, puts the panel's state into the
// controls.

#include <windows.h>

#include <cstdint>
#include <exception>
#include <string_view>
#include <vector>

#include "panel/number_panel.h"
#include "window/layout.h"

namespace velmora::win32 {

class MainWindow {
 public:
  // Creates the window (hidden) and its controls, raises Load and shows the
  // panel's state. Throws RuntimeError if the layout lacks a control that
  // the events are bound to, or a window cannot be made.
  MainWindow(HINSTANCE instance, const Layout& layout, char decimal_separator);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window and puts the focus on the first control in tab order.
  void Show(int show_command);

  // For the message loop: handles a message for this window or its
  // controls as a dialog does (Tab and Shift+Tab move the focus in tab
  // order, then translation and dispatch) and returns true if it did; the
  // loop then must not dispatch it again.
  bool HandleDialogMessage(MSG& message) noexcept;

  // nullptr once the window is destroyed.
  HWND Handle() const noexcept { return window_; }
  // The child window of control name(index), or nullptr.
  HWND ControlWindow(std::string_view name, std::int16_t index) const noexcept;
  // What a handler threw, if one did; the window has destroyed itself then.
  std::exception_ptr Failure() const noexcept { return failure_; }
  const NumberPanel& Panel() const noexcept { return panel_; }

 private:
  struct Child {
    const Control* control;
    HWND window;
    COLORREF back;
    HBRUSH brush;  // owned by brushes_ or a system brush
  };

  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);

  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnControlColour(UINT message, HDC dc, HWND control);
  LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
  LRESULT OnCommand(WPARAM w, LPARAM l);
  LRESULT OnNextDialogControl(WPARAM w, LPARAM l);
  LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnActivate(WPARAM w, LPARAM l);
  LRESULT OnDestroy();

  void Release() noexcept;
  void CreateControls();
  void BindEvents();
  void ApplyDpi(UINT dpi);
  HBRUSH Brush(COLORREF colour);
  const Child* FindChild(HWND window) const noexcept;
  const Child* FindChild(std::string_view name, std::int16_t index) const noexcept;
  const Child& Bound(std::string_view name, std::int16_t index) const;

  // The one place where the panel's state reaches the controls.
  void ShowPanel();

  HINSTANCE instance_;
  Layout layout_;
  NumberPanel panel_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT font_ = nullptr;
  HICON big_icon_ = nullptr, small_icon_ = nullptr;
  std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
  HBRUSH back_brush_ = nullptr;
  std::vector<Child> children_;
  HWND field_ = nullptr;     // the number field
  HWND top_line_ = nullptr;  // the line that shows the digit sum
  HWND last_focus_ = nullptr;  // restored when the window is activated again
  std::exception_ptr failure_;
  HWND window_ = nullptr;
};

}  // namespace velmora::win32
