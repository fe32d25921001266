#pragma once
// The keys of a window that behaves as a dialog, as on Win32
// (window/win32/dialog_keys.h): Tab and Shift+Tab move the focus round in
// tab order, and Enter presses the focused button when its look says so
// (ControlLook::enter_presses). Qt moves the focus and presses the buttons
// itself; these set it up.

#include <vector>

class QPushButton;
class QWidget;

namespace velmora {
struct ControlLook;
}

namespace velmora::qt {

// Tab goes from each of `widgets` to the next (Qt's focus chain goes on
// from the last to the first).
void ChainTabOrder(const std::vector<QWidget*>& widgets);

void SetEnterPresses(QPushButton& button, const ControlLook& look);

}  // namespace velmora::qt
