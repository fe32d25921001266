#pragma once
// A range of whole numbers as starts: a table with a row per start and a
// column per reading, and a summary with a line per reading. The rows are
// cells, which velmora-explore writes tab-separated and the teachers' page
// as CSV, so that both give the same table.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "explore/answer.h"

namespace velmora::explore {

// The whole numbers that the field holds whole, in at most 4 characters.
// A range goes no further: a start the field cuts (10000 holds as "1000")
// would be another start counted twice.
inline constexpr long long kLowestStart = -999, kHighestStart = 9999;

// The column names, and a start's cells: the start, then each reading's
// count of presses to "0", "loop 108 → 117" in turn when the field
// repeats, or "never".
//   112 -> {"112", "loop 108 → 117", "loop 108 → 117", "13", "12"}
std::vector<std::string> TableHeader(const Words& words);
std::vector<std::string> TableRow(const PressGraph& graph, const Answer& answer,
                                  const Words& words);

// The cells as one line of a table, its line break included. Tab-separated,
// for the terminal and a spreadsheet: a tab or line break in a cell becomes
// a blank. CSV: a cell with a comma, quote or line break stands in quotes,
// its quotes doubled; lines end with CR LF.
//   TsvLine({"112", "13"})      -> "112\t13\n"
//   CsvLine({"7,5", "say \"a\""}) -> "\"7,5\",\"say \"\"a\"\"\"\r\n"
std::string TsvLine(const std::vector<std::string>& cells);
std::string CsvLine(const std::vector<std::string>& cells);

// The answers of a range, added in order, summed up.
class RangeSummary {
 public:
  void Add(const PressGraph& graph, const Answer& answer);

  // A line per reading, without line breaks:
  //   1 to 9999, in turn: 4 of 9999 starts reach 0 increasing first, 9
  //   decreasing first; every other walk falls into one of 744 different
  //   loops, the longest 8991 → 9018 → 9000 → 9009
  //   1 to 9999, both buttons: 9999 of 9999 starts reach 0; ...
  //   1 to 9999, any order: 9999 of 9999 starts reach 0; the longest shortest
  //   path is 345 presses, from 4823
  // (each one line). None before the first Add.
  std::vector<std::string> Lines(const Words& words) const;

 private:
  // The longest shortest path of a reading, and its first start.
  struct Shortest {
    std::size_t reached = 0, longest = 0;
    std::string longest_from;
    void Add(const Walk& walk, const std::string& start);
  };
  std::string ReachLine(std::string_view reading, const Shortest& shortest,
                        const Words& words) const;

  std::string first_, last_;
  std::size_t starts_ = 0;
  // In turn: the starts that reach "0" with increase (0) or decrease (1)
  // first.
  std::size_t in_turn_reached_[2] = {0, 0};
  // The different loops that the other walks in turn fall into, each from
  // its least (text, button). A loop is the same wherever a walk enters it:
  // the same texts with the same buttons to press, in the same round.
  std::set<std::vector<std::pair<std::string, std::int16_t>>> loops_;
  std::size_t longest_loop_ = 0;  // texts in the longest loop
  std::string longest_loop_text_;  // as its first walk met it
  Shortest both_buttons_, any_order_;
};

}  // namespace velmora::explore
