#include "window/qt/dialog_keys.h"

#include <QPushButton>
#include <QWidget>

#include "window/front_end.h"

namespace velmora::qt {

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
  for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

// A default button that is not the window's default: Enter and keypad
// Enter press it while it has the focus.
void SetEnterPresses(QPushButton& button, const ControlLook& look) {
  button.setAutoDefault(look.enter_presses);
}

}  // namespace velmora::qt
