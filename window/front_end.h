#pragma once
// What every front end decides the same way, whatever its toolkit: which
// controls the number panel is bound to, the tab order and the stacking of
// the controls, twips to pixels, the decoded settings of each control and
// of the window's font, the look of a button drawn in its own colour, which
// label names which text box, and the text of the run-time error box. A
// toolkit layer only turns these into its widgets; no toolkit header comes
// in here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/runtime_error.h"
#include "window/layout.h"

namespace velmora {

// ---- The binding to NumberPanel -------------------------------------------

inline constexpr std::string_view kFieldName = "Text2";     // the number field, Index 0
inline constexpr std::string_view kTopLineName = "Label1";  // the top line, Index 0
inline constexpr std::string_view kButtonArray = "Command1";  // Click(i) is OnCommand(i)

struct PanelBinding {
  const Control* field;                  // a one-line text box
  const Control* top_line;               // a label
  std::vector<const Control*> buttons;   // every element of the button array
};

// Looks the panel's controls up once. Raises RuntimeError kErrorBadLayout
// naming the control ("The window has no control Text2(0)", "The control
// Label1(0) is not a label") when one is missing or of another kind, when
// the layout has no button of the array, or when it has any control twice
// ("The window's layout has the control Command1(1) twice"). Every front
// end binds the panel before it shows the window.
PanelBinding BindPanel(const Layout& layout);

// ---- Order ------------------------------------------------------------------

// The controls that take the focus, in tab order: text boxes and buttons
// that are visible, by tab index (equal indexes keep their record order).
// Labels never take the focus. The window opens with the focus on the first.
std::vector<const Control*> TabOrder(const Layout& layout);

// Every control from the bottom of the window's stacking to the top: the
// labels, which are drawn on the window's own surface and so lie beneath
// every text box and button and never cover their borders, then the text
// boxes and buttons in tab order. (A toolkit whose first child is the
// topmost creates the text boxes and buttons first, then the labels: only
// the labels' place matters: the visible boxes and buttons do not overlap.)
std::vector<const Control*> StackingOrder(const Layout& layout);

// ---- Geometry ---------------------------------------------------------------

// Pixels for a length in twips at `dpi` dots per inch, to the nearest pixel
// (halves away from zero): 1440 twips make an inch, so at 96 dpi 15 twips
// make a pixel.  (1320, 96) -> 88   (375, 96) -> 25   (8040, 144) -> 804
int TwipsToPixels(std::int32_t twips, double dpi);

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
PixelRect ToPixels(const TwipsRect& twips, double dpi);

// ---- Decoded settings -------------------------------------------------------

struct FontLook {
  std::string family;     // "Times New Roman"
  double points = 0;      // 12
  int weight = 400;       // 1..1000; 400 normal, 700 bold
  bool italic = false, underline = false, strike_out = false;
  int charset = 0;        // 204: Cyrillic

  // The character height in pixels at `dpi` (what a point size means):
  // 12 pt at 96 dpi -> 16.
  int PixelHeight(double dpi) const;
};
FontLook FontLookOf(const Font& font);

struct ControlLook {
  bool visible = true;
  bool takes_focus = false;       // text boxes and buttons
  Alignment alignment = Alignment::Left;
  bool multi_line = false;        // text boxes
  bool vertical_scroll_bar = false, horizontal_scroll_bar = false;
  bool wraps = false;             // several lines and no horizontal scroll bar
  bool read_only = false;
  std::optional<Colour> back_colour;  // none: the toolkit's own for the kind
  bool own_colour_button = false;     // a button drawn in back_colour
};
// Every stored setting resolved, with the defaults of what is not stored.
ControlLook LookOf(const Control& control);

// A button drawn in its own colour, as every front end draws it: a flat
// fill of exactly its colour (focused or not), a raised edge of two pixels
// that is sunken while the button is held down, its caption centred and
// moved this far right and down while held, and, while it has the focus, a
// dotted focus rectangle this far inside its outer edge.
inline constexpr int kButtonEdgePixels = 2;
inline constexpr int kPressedCaptionShift = 1;
inline constexpr int kFocusRectangleInset = 4;

// The label that captions a text box: a label whose left edge is the box's
// and that ends where the box begins (within half the label's height).
// Assistive technology reads it as the box's name. nullptr if none does.
//   "Число" (Label1(1)) captions the number field Text2(0).
const Control* CaptionOf(const Layout& layout, const Control& box);

// ---- Run-time errors --------------------------------------------------------

// The run-time error box's text: "Run-time error 6:" a blank line and the
// description ("Run-time error 6:\n\nOverflow").
std::string ErrorText(const RuntimeError& error);

}  // namespace velmora
