#pragma once
// Breadth-first searches over the press graph, increase before decrease at
// every text, so that of several shortest press sequences the one that
// increases first wins.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/explore/press_graph.h"

namespace velmora::explore {

struct Path {
  bool reached = false;
  std::vector<std::int16_t> presses;  // 0 increase, 1 decrease
  std::vector<TextId> fields;         // from the start; to "0" when reached
  // Every text the search met, the start first, in the order met: up to
  // the moment "0" had its turn, or all that the presses reach from the
  // start when "0" is not among them.
  std::vector<TextId> visited;
};

// The shortest press sequence from `start` to "0".
//   "0"   -> reached, no presses, fields {"0"}
//   "9"   -> reached, {1}, fields {"9", "0"}
//   "112" -> reached in 12 presses, 40 texts visited
// When "0" cannot be reached, `fields` holds the start alone.
Path ShortestToZero(PressGraph& graph, TextId start);

struct Neighbourhood {
  std::vector<TextId> texts;  // the start first, nearer texts before farther
  bool over_limit = false;    // more than `limit` texts lie that near
};

// Every text within `depth` presses of `start`; the search gives up (and
// says so) once more than `limit` texts are found.
//   "112", depth 0 -> {"112"};  depth 1 -> {"112", "116", "108"}
Neighbourhood Within(PressGraph& graph, TextId start, std::size_t depth, std::size_t limit);

}  // namespace velmora::explore
