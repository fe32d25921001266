#include "window/qt/colour_button.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

#include "window/front_end.h"

namespace velmora::qt {

namespace {

// The edge in the shades of a classic Windows button, whatever the style:
// white and light grey towards the light, grey and black away from it.
QPalette EdgePalette(const QPalette& base) {
  QPalette palette = base;
  palette.setColor(QPalette::Light, QColor(255, 255, 255));
  palette.setColor(QPalette::Button, QColor(227, 227, 227));
  palette.setColor(QPalette::Dark, QColor(160, 160, 160));
  palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
  return palette;
}

}  // namespace

ColourButton::ColourButton(const QString& caption, const QColor& colour, QWidget* parent)
    : QPushButton(caption, parent), colour_(colour) {
  // Enter and keypad Enter press the focused button, as in a dialog.
  setAutoDefault(true);
}

void ColourButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool held = isDown();
  const QBrush fill(colour_);
  qDrawWinButton(&painter, rect(), EdgePalette(palette()), held, &fill);

  QRect caption = rect();
  if (held) caption.translate(kPressedCaptionShift, kPressedCaptionShift);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
  painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, text());

  if (hasFocus()) {
    // Dotted, one pixel on and one off, like the system's focus rectangle.
    QPen dots(QColor(0, 0, 0), 0);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    const int inset = kFocusRectangleInset;
    painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
  }
}

}  // namespace velmora::qt
