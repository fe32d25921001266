#pragma once
// The keys of a window that behaves as a dialog: Tab and Shift+Tab move the
// focus round in tab order (a text box that gets it has its text selected),
// Enter presses the focused button when its look says so (ControlLook::
// enter_presses), and a window that is activated again gets back the focus
// it had. The twin of window/qt/dialog_keys.h.

#include <windows.h>

#include <functional>

namespace velmora::win32 {

class DialogKeys {
 public:
  // `enter_presses` tells whether Enter presses a child window (a button).
  DialogKeys(HWND window, std::function<bool(HWND)> enter_presses)
      : window_(window), enter_presses_(std::move(enter_presses)) {}

  // For the message loop: handles a key message for the window or its
  // controls and gives true if it did; the loop then must not dispatch it.
  bool HandleMessage(MSG& message) noexcept;

  // The window's messages for the keys; each gives whether it handled
  // `message` (and `result` then is its answer).
  bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result);

 private:
  bool OnCommand(WPARAM w, LPARAM l);
  bool OnNextControl(WPARAM w, LPARAM l);
  bool OnActivate(WPARAM w);

  HWND window_;
  std::function<bool(HWND)> enter_presses_;
  HWND last_focus_ = nullptr;  // restored when the window is activated again
};

}  // namespace velmora::win32
