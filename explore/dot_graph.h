#pragma once
// Pictures of an answer, as Graphviz DOT text: each field text a node, each
// press an edge labelled with the button's word in the answer's language.
// velmora-explore lays the DOT out with Graphviz's dot, the teachers' page
// with Graphviz in the browser: both draw the same DOT for the same start.
//   search  the texts the shortest search in any order met on its way to
//           "0", every press between them, the shortest presses in bold;
//   within  every text within N presses of the start, the same way;
//   in turn the walks of the buttons pressed in turn, both of them: a walk
//           that reaches "0" in bold throughout, one that loops with only
//           its loop in bold, the loop's texts filled.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "explore/answer.h"

namespace velmora::explore {

// A picture of more texts than this is no picture for a board.
inline constexpr std::size_t kMaxDrawnTexts = 300;

struct Drawing {
  struct Step {
    TextId from;
    std::int16_t press;
    TextId to;  // what the press gives
    bool bold;
    bool loop = false;  // a step of a loop: bold and coloured as the loop's texts
  };
  std::vector<TextId> texts;  // the nodes, the start first
  std::vector<Step> steps;    // the edges, each to the text the press gives
  std::vector<TextId> loop;   // texts filled as a loop's
  std::vector<std::string> caption;  // lines shown above the picture
  bool too_large = false;  // more than kMaxDrawnTexts texts: nothing drawn
};

Drawing SearchDrawing(PressGraph& graph, const Answer& answer, const Words& words);
Drawing WithinDrawing(PressGraph& graph, const Answer& answer, std::size_t depth,
                      const Words& words);
// The walks are the answer's own: nothing is pressed.
Drawing InTurnDrawing(const PressGraph& graph, const Answer& answer, const Words& words);

// The drawing as DOT. Nodes are named by their place in `texts` (n0 is the
// start), so the same start gives the same DOT whatever the graph pressed
// before. "0" is filled green, a loop's texts orange and its steps drawn in
// orange; the start has a double frame.
std::string DrawingDot(const PressGraph& graph, const Drawing& drawing, const Words& words);

// A text as a DOT string's contents: '"' and '\' escaped, control
// characters as blanks and bytes that are not UTF-8 as U+FFFD.
//   "12"    -> "12"
//   "a\"b"  -> "a\\\"b"
//   "\xFF"  -> "\xEF\xBF\xBD"
std::string DotEscaped(std::string_view text);

}  // namespace velmora::explore
