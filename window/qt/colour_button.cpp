#include "window/qt/colour_button.h"

#include <QPainter>

#include "window/front_end.h"
#include "window/qt/form.h"

namespace velmora::qt {

namespace {

// One ring of the edge, one pixel wide: lit on its top and left sides,
// shaded on its bottom and right sides and the corners these share.
void DrawRing(QPainter& painter, const QRect& ring, Colour lit, Colour shaded) {
  painter.fillRect(ring.left(), ring.top(), ring.width() - 1, 1, ToQColor(lit));
  painter.fillRect(ring.left(), ring.top(), 1, ring.height() - 1, ToQColor(lit));
  painter.fillRect(ring.left(), ring.bottom(), ring.width(), 1, ToQColor(shaded));
  painter.fillRect(ring.right(), ring.top(), 1, ring.height(), ToQColor(shaded));
}

}  // namespace

ColourButton::ColourButton(const QString& caption, Colour colour, QWidget* parent)
    : QPushButton(caption, parent), colour_(colour) {}

void ColourButton::DrawOwnColour(bool own) {
  own_ = own;
  update();
}

void ColourButton::paintEvent(QPaintEvent* event) {
  if (!own_) return QPushButton::paintEvent(event);
  QPainter painter(this);
  const bool held = isDown();
  painter.fillRect(rect(), ToQColor(colour_));
  const ButtonEdge edge = ButtonEdgeOf(colour_, held);
  DrawRing(painter, rect(), edge.outer_top_left, edge.outer_bottom_right);
  DrawRing(painter, rect().adjusted(1, 1, -1, -1), edge.inner_top_left, edge.inner_bottom_right);

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
