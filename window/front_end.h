#pragma once
// What every front end decides the same way, whatever its toolkit: which
// controls the number panel is bound to, the tab order and the stacking of
// the controls, twips to pixels, the decoded settings of each control and
// of the window's font, the look of a button drawn in its own colour, the
// colours drawn with and without a high-contrast theme, which label names
// which text box, and the text of the run-time error box. A
// toolkit layer only turns these into its widgets; no toolkit header comes
// in here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
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
  // A label. A screen reader is told its text after every press, the
  // same text again as well: a pupil who presses hears the press answered.
  const Control* top_line;
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
// boxes and buttons in tab order. A toolkit that draws later children over
// earlier ones creates them in this order.
std::vector<const Control*> StackingOrder(const Layout& layout);

// The order of creation for a toolkit that puts each new child beneath
// those made before it and whose Tab follows the stacking from the top
// (Win32): the text boxes and buttons in tab order, then the labels. Not
// StackingOrder reversed: only the labels' place beneath the rest matters
// (the visible boxes and buttons do not overlap), and Tab takes the order
// of the others.
std::vector<const Control*> TopDownOrder(const Layout& layout);

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
  bool enter_presses = false;         // a button: Enter presses it while it has the focus
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

// The edge's colours, in shades of the button's own: an outer and an inner
// ring of one pixel each, lit on their top and left sides and shaded on
// their bottom and right sides (whose colour the top-right and bottom-left
// corners take). Raised, the outer ring is the lightest and the darkest;
// held down, the shades trade sides and the button looks sunken.
struct ButtonEdge {
  Colour outer_top_left, inner_top_left, inner_bottom_right, outer_bottom_right;
  friend bool operator==(const ButtonEdge&, const ButtonEdge&) = default;
};
static_assert(kButtonEdgePixels == 2, "the edge is two rings of one pixel");
// Raised: three quarters and one quarter of the way from the face to white,
// then half and three quarters of the way to black, to the nearest step.
//   RGB(128, 255, 255) -> (223, 255, 255), (160, 255, 255), (64, 128, 128), (32, 64, 64)
//   held              -> (32, 64, 64), (64, 128, 128), (160, 255, 255), (223, 255, 255)
ButtonEdge ButtonEdgeOf(Colour face, bool held);

// The label that captions a text box: a label whose left edge is the box's
// and that ends where the box begins (within half the label's height).
// Assistive technology reads it as the box's name. nullptr if none does.
//   "Число" (Label1(1)) captions the number field Text2(0).
const Control* CaptionOf(const Layout& layout, const Control& box);

// ---- Colours -----------------------------------------------------------------

// The system's colours that a control may be drawn in, in two pairs that
// the system's theme makes to be read on each other: the face of dialogs
// and buttons with the text on it, and the inside of text boxes with the
// text in it. Under a high-contrast theme they are the theme's. (Win32:
// COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT.)
enum class SystemColour { Face, FaceText, Window, WindowText };

// A colour that the layout stores, or one of the system's.
using ColourChoice = std::variant<Colour, SystemColour>;

struct ControlColours {
  ColourChoice back, text;
  // A button drawn flat in `back` with ButtonEdgeOf's edge; any other
  // button is drawn as the system draws its own, in the system's colours.
  bool own_colour_button = false;
  friend bool operator==(const ControlColours&, const ControlColours&) = default;
};

// What the window and each control are drawn in.
//   Without a high-contrast theme: the layout's colours where it stores
//   them, the system's where it does not. The window in its own; a label
//   in its own or the face; a text box in its own or the window colour; a
//   button flat in its own colour where ControlLook::own_colour_button
//   says so, else as the system draws it. Text in the face's text colour,
//   in text boxes the window's text colour.
//   Under a high-contrast theme (a user's choice for reading): the system's
//   pairs alone, as the system draws its own controls. The window, labels
//   and buttons on the face with its text, buttons with the system's edge;
//   text boxes in the window colours.
//     Label1(0), normal        -> back 0x0080C0FF, text FaceText
//     Label1(0), high contrast -> back Face, text FaceText
//     Command1(0), normal      -> back 0x00FFFF80, text FaceText, own colour
//     Command1(0), high contrast -> back Face, text FaceText, the system's
//     Text2(0), either         -> back Window, text WindowText
//     the window               -> 0x00FFC0C0; high contrast: Face
ColourChoice WindowBackOf(const Layout& layout, bool high_contrast);
ControlColours ColoursOf(const Control& control, bool high_contrast);

// ---- Names for assistive technology ---------------------------------------

// The exercise statement, Text1(0): a read-only box that no label captions.
// A screen reader names it "Условие на задачата", the words a pupil knows
// for an exercise's statement.
inline constexpr std::string_view kStatementName = "Text1";  // Index 0
inline constexpr std::string_view kStatementAccessibleName = "Условие на задачата";

// The name a screen reader gives `control` (UTF-8):
//   a label or a button: its caption ("Число", "Увеличава със сбор");
//   a text box that a label captions: the caption's text (Text2(0): "Число");
//   the statement Text1(0): kStatementAccessibleName;
//   any other text box: "".
// A control that is not visible has no name ("" for the hidden Text1(1)):
// it is not exposed to assistive technology at all.
std::string AccessibleNameOf(const Layout& layout, const Control& control);

// ---- Run-time errors --------------------------------------------------------

// The run-time error box's text: "Run-time error 6:" a blank line and the
// description ("Run-time error 6:\n\nOverflow").
std::string ErrorText(const RuntimeError& error);

}  // namespace velmora
