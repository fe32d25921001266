#pragma once
// What the web page needs from the shared rules, as JSON text: the window
// described control by control (for the page to build its elements from),
// and the number panel's state after a handler (for the page to show).
// Toolkit-free and browser-free: the page's C functions (web_api.cpp) hand
// these strings to JavaScript.

#include <string>
#include <string_view>

#include "json/json_writer.h"
#include "panel/number_panel.h"
#include "window/layout.h"

namespace velmora::web {

// A colour as CSS writes it: 0x00BBGGRR -> "#rrggbb".
std::string CssColour(Colour colour);

// The window at 96 dpi (1 CSS pixel = 15 twips):
//   {"caption", "width", "height", "background", "font": {"family",
//    "pixels", "weight", "italic", "underline", "strikeOut"},
//    "button": {"edge", "shift", "focusInset"},    (the coloured button's look)
//    "controls": [ in stacking order, bottom to top:
//      {"id": "Text2(0)", "kind": "label" | "text" | "button", "multiLine",
//       "left", "top", "width", "height", "text", "align": "left" |
//       "right" | "center", "visible", "background": "#rrggbb" or null,
//       "readOnly", "verticalScrollBar", "horizontalScrollBar", "wraps",
//       "ownColour", "edge": (a button in its own colour) {"raised", "held":
//         [outer top-left, inner top-left, inner bottom-right, outer
//         bottom-right] as ButtonEdgeOf gives them},
//       "tab": position in the tab order or -1,
//       "captionFor": id of the text box a label names, or null,
//       "name": what a screen reader names it by (AccessibleNameOf),
//       "role": "field" | "topLine" | "button" | null,
//       "command": the button's index for OnCommand, or -1} ],
//    "panel": the panel's state (PanelState)}
// Kinds and alignments are named as the driver names them (window/layout.h).
// The font's "family" is the CSS font-family list: the layout's font, then
// fonts of the same metrics, then any serif:
//   "Times New Roman" -> "\"Times New Roman\", \"Liberation Serif\", Tinos, serif"
// The field and the top line show the panel's texts, not the layout's.
// Raises RuntimeError kErrorBadLayout when the panel cannot be bound.
std::string DescribeWindow(const Layout& layout, const NumberPanel& panel);
// The same members written into the object that `out` has open, for an
// answer that holds more beside them (open_answer.h).
void WriteWindow(JsonWriter& out, const Layout& layout, const NumberPanel& panel);

// The panel of the window just opened from `layout` (NumberPanel::Load
// with the layout's field text), for the user's `regional_separator`.
// Raises RuntimeError kErrorBadLayout when the panel cannot be bound.
NumberPanel OpenedPanel(const Layout& layout, char32_t regional_separator);

// {"field": text, "topLine": text, "align": "left" | "right" | "center",
//  "limit": characters, 0 for none}
std::string PanelState(const NumberPanel& panel);
// The same members written into the object that `out` has open.
void WritePanelState(JsonWriter& out, const NumberPanel& panel);
// The same object as the member "panel" of the object that `out` has open.
void WritePanelMember(JsonWriter& out, const NumberPanel& panel);

}  // namespace velmora::web
