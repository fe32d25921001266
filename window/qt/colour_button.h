#pragma once
// A command button drawn in its own colour, as on every front end
// (window/front_end.h): a flat fill of exactly that colour, focused or
// not, a raised edge that is sunken while the button is held down (the
// caption moves with it), and a dotted focus rectangle inside the edge
// while it has the focus. Enter, keypad Enter and Space press it.

#include <QColor>
#include <QPushButton>

namespace velmora::qt {

class ColourButton : public QPushButton {
 public:
  ColourButton(const QString& caption, const QColor& colour, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

}  // namespace velmora::qt
