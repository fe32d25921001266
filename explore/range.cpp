#include "explore/range.h"

#include <algorithm>

namespace velmora::explore {
namespace {

std::string InTurnCell(const PressGraph& graph, const InTurnWalk& in_turn, const Words& words) {
  if (in_turn.walk.reached) return std::to_string(in_turn.walk.presses.size());
  return Fill(words.loop_cell, {LoopText(graph, in_turn)});
}

std::string ShortestCell(const Walk& walk, const Words& words) {
  return walk.reached ? std::to_string(walk.presses.size()) : std::string(words.never_cell);
}

}  // namespace

std::vector<std::string> TableHeader(const Words& words) {
  return {std::string(words.column_start), std::string(words.column_increase_first),
          std::string(words.column_decrease_first), std::string(words.column_both_buttons),
          std::string(words.column_any_order)};
}

std::vector<std::string> TableRow(const PressGraph& graph, const Answer& answer,
                                  const Words& words) {
  return {answer.typed, InTurnCell(graph, answer.in_turn[0], words),
          InTurnCell(graph, answer.in_turn[1], words), ShortestCell(answer.both_buttons, words),
          ShortestCell(answer.any_order.shortest, words)};
}

std::string TsvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (!line.empty()) line += '\t';
    for (char c : cell) line += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
  }
  return line + '\n';
}

std::string CsvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += ',';
    const std::string& cell = cells[i];
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
      line += cell;
      continue;
    }
    line += '"';
    for (char c : cell) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

void RangeSummary::Shortest::Add(const Walk& walk, const std::string& start) {
  if (!walk.reached) return;
  if (reached == 0 || walk.presses.size() > longest) {
    longest = walk.presses.size();
    longest_from = start;
  }
  ++reached;
}

void RangeSummary::Add(const PressGraph& graph, const Answer& answer) {
  if (starts_ == 0) first_ = answer.typed;
  last_ = answer.typed;
  ++starts_;
  for (const InTurnWalk& in_turn : answer.in_turn) {
    if (in_turn.walk.reached) {
      ++in_turn_reached_[in_turn.first != 0];
      continue;
    }
    // The loop from its least (text, button), so that every entry into it
    // gives the same key.
    std::vector<std::pair<std::string, std::int16_t>> loop;
    for (std::size_t i = 0; i < in_turn.loop.size(); ++i)
      loop.emplace_back(graph.Text(in_turn.loop[i]), in_turn.walk.presses[in_turn.loop_start + i]);
    std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
    if (loops_.insert(std::move(loop)).second && in_turn.loop.size() > longest_loop_) {
      longest_loop_ = in_turn.loop.size();
      longest_loop_text_ = LoopText(graph, in_turn);
    }
  }
  both_buttons_.Add(answer.both_buttons, answer.typed);
  any_order_.Add(answer.any_order.shortest, answer.typed);
}

std::string RangeSummary::ReachLine(std::string_view reading, const Shortest& shortest,
                                    const Words& words) const {
  const std::string starts = std::to_string(starts_);
  if (shortest.reached == 0) return Fill(words.reach_summary_none, {first_, last_, reading, starts});
  return Fill(words.reach_summary, {first_, last_, reading, std::to_string(shortest.reached),
                                    starts, words.Presses(shortest.longest),
                                    shortest.longest_from});
}

std::vector<std::string> RangeSummary::Lines(const Words& words) const {
  if (starts_ == 0) return {};
  std::string in_turn = Fill(words.in_turn_summary,
                             {first_, last_, std::to_string(in_turn_reached_[0]),
                              std::to_string(starts_), std::to_string(in_turn_reached_[1])});
  if (loops_.empty()) {
    in_turn += words.no_loop_summary;
  } else if (loops_.size() == 1) {
    in_turn += Fill(words.one_loop_summary, {longest_loop_text_});
  } else {
    in_turn += Fill(words.loops_summary, {std::to_string(loops_.size()), longest_loop_text_});
  }
  return {std::move(in_turn), ReachLine(words.both_buttons_short, both_buttons_, words),
          ReachLine(words.any_order, any_order_, words)};
}

}  // namespace velmora::explore
