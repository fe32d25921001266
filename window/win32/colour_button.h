#pragma once
// A command button drawn in its own colour (an owner-drawn BUTTON), as on
// every front end (window/front_end.h): a flat fill of exactly that colour,
// focused or not, the edge that ButtonEdgeOf gives (sunken while held, the
// caption moving with it), and the focus rectangle inside it while it has
// the focus. The twin of window/qt/colour_button.h.

#include <windows.h>

#include "window/layout.h"

namespace velmora::win32 {

// Draws the button of `item` (a WM_DRAWITEM request) in `face`, its
// caption in `font`.
void DrawColourButton(const DRAWITEMSTRUCT& item, Colour face, HFONT font);

}  // namespace velmora::win32
