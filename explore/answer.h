#pragma once
// The exercise's answer for one start: its three readings (readings.h), and
// the answer as a teacher reads it and as one JSON line. velmora-explore and
// the teachers' page both print these, so that they say the same.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "explore/press_graph.h"
#include "explore/readings.h"
#include "explore/words.h"

namespace velmora::explore {

struct Answer {
  std::string typed;  // the start as given
  TextId start;       // what the field holds once it is typed
  std::array<InTurnWalk, 2> in_turn;  // increase first, decrease first
  Walk both_buttons;
  Search any_order;
};

// Every reading from `typed`, put into the field as a pupil types it
// (PressGraph::Typed).
Answer AnswerFor(PressGraph& graph, std::string_view typed);

// The start as an answer names it: the typed text, and what the field
// holds when that differs.
//   "112" -> "112",  "12345" -> "12345 (the field holds 1234)",  "" -> "\"\""
std::string Heading(const PressGraph& graph, const Answer& answer, const Words& words);

// One reading of an answer in words, as AnswerText writes it: its name,
// what it gives, and the walk below it a step at a time, where there is
// one (a reading that neither reaches "0" nor loops has none).
//   {"in turn, increase first", "falls into the loop 108 → 117, never reaches 0",
//    {"112", "→ 116 (increase)", "→ 108 (decrease)", "→ 117 (increase)",
//     "→ 108 (decrease) → …"}}
struct ReadingWords {
  std::string reading;
  std::string result;
  std::vector<std::string> steps;  // the start, then "→ text (button)" per press
};

// The answer in words, in pieces, for a page that sets each reading apart
// (the teachers' page); AnswerText writes the same pieces as lines.
struct AnswerWords {
  std::string heading;  // Heading()
  // "0: is 0 already, no presses" when the field holds "0" (and no
  // readings then); empty otherwise.
  std::string zero;
  std::vector<ReadingWords> readings;  // in the order AnswerText gives them
};
AnswerWords AnswerInWords(const PressGraph& graph, const Answer& answer, const Words& words);

// The answer in words, the readings in turn: in turn (increase first, then
// decrease first), both buttons, any order; each walk below its reading,
// wrapped at `width` characters (0: not wrapped). Ends with a line break.
//   112:
//     in turn, increase first: falls into the loop 108 → 117, never reaches 0
//       112 → 116 (increase) → 108 (decrease) → 117 (increase) → 108 (decrease) → …
//     ...
//     any order: reaches 0 in 12 presses
//       112 → 108 (decrease) → 99 (decrease) → ...
// A start that is "0" has one line: "0: is 0 already, no presses".
std::string AnswerText(const PressGraph& graph, const Answer& answer, const Words& words,
                       std::size_t width);

// What the answers mean for the exercise, said once after them, wrapped at
// `width` characters (0: one paragraph). Ends with a line break.
std::string ExerciseNote(const Words& words, std::size_t width);

// The loop's texts as an answer shows them: "108 → 117".
std::string LoopText(const PressGraph& graph, const InTurnWalk& in_turn);

// The button pressed first in turn, as an in-turn reading names it:
//   0 -> "increase first",  1 -> "decrease first"
std::string_view FirstWord(std::int16_t first, const Words& words);

// What the buttons pressed in turn give, as an answer and the in-turn
// picture's caption say it:
//   "reaches 0 in 1 press",  "falls into the loop 108 → 117, never reaches 0"
std::string InTurnResult(const PressGraph& graph, const InTurnWalk& in_turn, const Words& words);

// The answer as one JSON line, its line break included:
//   {"start":"112","reachable":true,"presses":[1,...],"fields":["112",...,"0"],
//    "bothButtons":{"reachable":true,"presses":[0,1,...],"fields":[...]},
//    "inTurn":[{"first":0,"reachable":false,"presses":[0,1,0,1],
//               "fields":["112","116","108","117","108"],"loop":["108","117"]},
//              {"first":1,...}]}
// "reachable", "presses" and "fields" at the top are the shortest presses in
// any order. A press is 0 for increase and 1 for decrease. "fields" run from
// what the field holds at the start to "0"; where "0" is not reached they
// hold the start alone, except in turn, where they run to the first text
// that repeats (included) and "loop" lists the texts that repeat, from that
// one on ("loop" is there only then).
std::string AnswerJson(const PressGraph& graph, const Answer& answer);

}  // namespace velmora::explore
