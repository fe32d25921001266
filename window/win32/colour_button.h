#pragma once
// The command buttons that the window draws itself (owner-drawn BUTTONs).
// A button in its own colour is drawn as on every front end
// (window/front_end.h): a flat fill of exactly that colour, focused or
// not, the edge that ButtonEdgeOf gives (sunken while held, the caption
// moving with it), and the focus rectangle inside it while it has the
// focus. Under a high-contrast theme the same button is drawn as the
// system draws its own push buttons, in the system's colours. The twin of
// window/qt/colour_button.h.

#include <windows.h>

#include "window/layout.h"

namespace velmora::win32 {

// Draws the button of `item` (a WM_DRAWITEM request) flat in `face`, its
// caption in `text` and `font`.
void DrawColourButton(const DRAWITEMSTRUCT& item, Colour face, COLORREF text, HFONT font);

// Draws the button of `item` as the system draws a push button: its face
// and edge in the system's colours (DrawFrameControl), its caption in
// `text` and `font`.
void DrawSystemButton(const DRAWITEMSTRUCT& item, COLORREF text, HFONT font);

}  // namespace velmora::win32
