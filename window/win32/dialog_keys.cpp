#include "window/win32/dialog_keys.h"

namespace velmora::win32 {

bool DialogKeys::HandleMessage(MSG& message) noexcept {
  return IsWindow(window_) && IsDialogMessageW(window_, &message);
}

bool DialogKeys::OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_COMMAND: return OnCommand(w, l);
    case WM_NEXTDLGCTL: return OnNextControl(w, l);
    case WM_ACTIVATE: return OnActivate(w);
    default: return false;
  }
}

// Enter, as IsDialogMessage passes it on: IDOK, no control.
bool DialogKeys::OnCommand(WPARAM w, LPARAM l) {
  if (l != 0 || LOWORD(w) != IDOK) return false;
  if (HWND focused = GetFocus(); focused && enter_presses_(focused))
    SendMessageW(focused, BM_CLICK, 0, 0);
  return true;
}

bool DialogKeys::OnActivate(WPARAM w) {
  if (LOWORD(w) == WA_INACTIVE) {
    last_focus_ = GetFocus();
    return false;
  }
  if (!last_focus_ || !IsChild(window_, last_focus_)) return false;
  SetFocus(last_focus_);
  return true;
}

// Sent by IsDialogMessage and by a multi-line edit on Tab: wParam is the
// control (lParam set) or backwards-or-not (lParam 0).
bool DialogKeys::OnNextControl(WPARAM w, LPARAM l) {
  HWND next = LOWORD(l) ? reinterpret_cast<HWND>(w)
                        : GetNextDlgTabItem(window_, GetFocus(), w != 0 ? TRUE : FALSE);
  if (!next) return true;
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  return true;
}

}  // namespace velmora::win32
