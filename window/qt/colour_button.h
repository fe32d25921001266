#pragma once
// A command button drawn in its own colour, as on every front end
// (window/front_end.h): a flat fill of exactly that colour, focused or
// not, a raised edge that is sunken while the button is held down (the
// caption moves with it), and a dotted focus rectangle inside the edge
// while it has the focus; all of it as ButtonEdgeOf and the constants
// beside it decide. Without its own colour (DrawOwnColour(false)) it is a
// plain button in the palette's colours.

#include <QPushButton>

#include "window/layout.h"

namespace velmora::qt {

class ColourButton : public QPushButton {
 public:
  ColourButton(const QString& caption, Colour colour, QWidget* parent);
  void DrawOwnColour(bool own);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour colour_;
  bool own_ = true;
};

}  // namespace velmora::qt
