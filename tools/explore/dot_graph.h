#pragma once
// A set of field texts drawn as a Graphviz graph: each text a node, each
// press between two drawn texts an edge labelled with the window's word for
// it ("увеличава" or "намалява"), the shortest path to "0" in bold.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/explore/press_graph.h"
#include "tools/explore/search.h"

namespace velmora::explore {

struct Drawing {
  std::vector<TextId> texts;  // the nodes, the start first
  Path bold;                  // drawn in bold where its steps are drawn
  std::string caption;        // shown above the graph
};

// The graph as DOT text. A press that leads out of the drawn texts is left
// out; so are the presses of "0", which stays "0".
void WriteDot(PressGraph& graph, const Drawing& drawing, std::ostream& out);

// A text as a DOT string's contents: '"' and '\' escaped, control
// characters as blanks and bytes that are not UTF-8 as U+FFFD.
//   "12"    -> "12"
//   "a\"b"  -> "a\\\"b"
//   "\xFF"  -> "\xEF\xBF\xBD"
std::string DotEscaped(std::string_view text);

struct Rendering {
  enum Status { kRendered, kNoDot, kFailed } status;
  std::string detail;  // for kFailed: what went wrong, e.g. "exit status 1"
};

// Renders DOT as SVG with Graphviz's `dot` (found on PATH) into the file
// `output`, or onto standard output when `output` is empty.
Rendering RenderSvg(std::string_view dot, const std::string& output);

}  // namespace velmora::explore
