#pragma once
// Three readings of the exercise's question, "can the two buttons bring the
// number to 0?", each a walk of the window's own presses (press_graph.h):
//   in turn       the buttons alternate, as the question asks, starting once
//                 with increase and once with decrease;
//   both buttons  the shortest presses that use each button at least once;
//   any order     the shortest presses, whichever buttons they use.
// A walk ends at the first "0": a press on "0" leaves "0" (its digit sum is
// 0), so it would use a button without changing the number. The searches go
// breadth-first, increase before decrease at every text, so that of several
// shortest walks the one that increases first wins.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "explore/press_graph.h"

namespace velmora::explore {

struct Walk {
  bool reached = false;               // the field reads "0" at the end
  std::vector<std::int16_t> presses;  // 0 increase, 1 decrease
  std::vector<TextId> fields;         // the start, then the field after each press
};

struct InTurnWalk {
  std::int16_t first = NumberPanel::kIncrease;  // the button pressed first
  // The presses go on until the field reads "0" or a field text comes back
  // with the same button to press next; `fields` ends with that repeated
  // text.
  Walk walk;
  // When "0" is not reached: the texts that repeat for ever, starting with
  // the repeated one, which stands at walk.fields[loop_start].
  std::vector<TextId> loop;
  std::size_t loop_start = 0;
};

// The buttons pressed in turn from `start`, `first` first.
//   "112", increase first -> fields 112 116 108 117 108, loop 108 117 (from 2)
//   "112", decrease first -> fields 112 108 117 108, loop 108 117 (from 1)
//   "108", increase first -> fields 108 117 108, loop 108 117 (from 0)
//   "3",   increase first -> reached: fields 3 6 0
//   "0"                   -> reached, no presses
InTurnWalk PressInTurn(PressGraph& graph, TextId start, std::int16_t first);

// The shortest presses from `start` to "0" that use each button at least
// once, "0" coming only at the end.
//   "0"   -> reached, no presses (it is 0 already)
//   "9"   -> reached in 3: increase, decrease, decrease (9 18 9 0)
//   "112" -> reached in 13, increase first
//   "abc" -> not reached: either press gives "0" at once
// When "0" cannot be reached so, `fields` holds the start alone.
Walk ShortestWithBoth(PressGraph& graph, TextId start);

struct Search {
  Walk shortest;
  // Every text the search met, the start first, in the order met: up to
  // the moment "0" had its turn, or all that the presses reach from the
  // start when "0" is not among them.
  std::vector<TextId> met;
};

// The shortest presses from `start` to "0", in any order.
//   "0"   -> reached, no presses, fields {"0"}
//   "9"   -> reached, {1}, fields {"9", "0"}
//   "112" -> reached in 12 presses, 40 texts met
// When "0" cannot be reached, `fields` holds the start alone.
Search ShortestToZero(PressGraph& graph, TextId start);

struct Neighbourhood {
  std::vector<TextId> texts;  // the start first, nearer texts before farther
  bool over_limit = false;    // more than `limit` texts lie that near
};

// Every text within `depth` presses of `start`; the search gives up (and
// says so) once more than `limit` texts are found.
//   "112", depth 0 -> {"112"};  depth 1 -> {"112", "116", "108"}
Neighbourhood Within(PressGraph& graph, TextId start, std::size_t depth, std::size_t limit);

}  // namespace velmora::explore
