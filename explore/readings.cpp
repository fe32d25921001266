#include "explore/readings.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace velmora::explore {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

std::int16_t Other(std::int16_t button) {
  return button == NumberPanel::kIncrease ? NumberPanel::kDecrease : NumberPanel::kIncrease;
}

// The states a breadth-first search has met so far, each with the state and
// press it was first met from; a state's place in `met_` is its place in
// the queue. A state is a number the search chooses: a text's id, or a text
// with the buttons used on the way to it.
class Frontier {
 public:
  explicit Frontier(std::size_t start) { Meet(start, kNone, 0); }

  // Adds `state` unless it was met before.
  void Meet(std::size_t state, std::size_t from, std::int16_t press) {
    if (state >= place_.size()) place_.resize(state + 1, kNone);
    if (place_[state] != kNone) return;
    place_[state] = met_.size();
    met_.push_back({state, from, press});
  }

  std::size_t Size() const noexcept { return met_.size(); }
  std::size_t State(std::size_t place) const { return met_[place].state; }

  // The presses by which the state at `place` was first met, and the
  // states on the way, from the start's.
  void Trace(std::size_t place, std::vector<std::int16_t>& presses,
             std::vector<std::size_t>& states) const {
    for (; place != kNone; place = met_[place].from) {
      states.push_back(met_[place].state);
      if (met_[place].from != kNone) presses.push_back(met_[place].press);
    }
    std::reverse(states.begin(), states.end());
    std::reverse(presses.begin(), presses.end());
  }

 private:
  struct Met {
    std::size_t state;
    std::size_t from;  // place of the state it was met from, kNone for the start
    std::int16_t press;
  };
  std::vector<Met> met_;
  std::vector<std::size_t> place_;  // by state, kNone: not met
};

// A text with the buttons pressed on the way to it: bit 0 increase, bit 1
// decrease.
constexpr std::size_t kBothUsed = 3;
std::size_t WithButtons(TextId text, std::size_t used) { return std::size_t{text} * 4 + used; }
TextId TextOf(std::size_t state) { return static_cast<TextId>(state / 4); }
std::size_t UsedOf(std::size_t state) { return state % 4; }

}  // namespace

InTurnWalk PressInTurn(PressGraph& graph, TextId start, std::int16_t first) {
  InTurnWalk result;
  result.first = first;
  Walk& walk = result.walk;
  walk.fields.push_back(start);
  // The state before each press: the field's text and the button next.
  std::vector<std::pair<TextId, std::int16_t>> before;
  std::int16_t next = first;
  for (TextId text = start;; next = Other(next)) {
    if (text == graph.Zero()) {
      walk.reached = true;
      return result;
    }
    const auto again = std::find(before.begin(), before.end(), std::pair(text, next));
    if (again != before.end()) {
      result.loop_start = static_cast<std::size_t>(again - before.begin());
      result.loop.assign(walk.fields.begin() + static_cast<std::ptrdiff_t>(result.loop_start),
                         walk.fields.end() - 1);
      return result;
    }
    before.emplace_back(text, next);
    text = graph.Press(text, next);
    walk.presses.push_back(next);
    walk.fields.push_back(text);
  }
}

Walk ShortestWithBoth(PressGraph& graph, TextId start) {
  Walk walk;
  if (start == graph.Zero()) {
    walk.reached = true;
    walk.fields.push_back(start);
    return walk;
  }
  Frontier frontier(WithButtons(start, 0));
  for (std::size_t turn = 0; turn < frontier.Size(); ++turn) {
    const std::size_t state = frontier.State(turn);
    if (TextOf(state) == graph.Zero()) {
      if (UsedOf(state) != kBothUsed) continue;  // "0" too soon: a walk ends there
      walk.reached = true;
      std::vector<std::size_t> states;
      frontier.Trace(turn, walk.presses, states);
      for (std::size_t s : states) walk.fields.push_back(TextOf(s));
      return walk;
    }
    for (std::int16_t press : kPresses) {
      const std::size_t used = UsedOf(state) | (std::size_t{1} << press);
      frontier.Meet(WithButtons(graph.Press(TextOf(state), press), used), turn, press);
    }
  }
  walk.fields.push_back(start);
  return walk;
}

Search ShortestToZero(PressGraph& graph, TextId start) {
  Frontier frontier(start);
  Search search;
  std::size_t turn = 0;
  for (; turn < frontier.Size(); ++turn) {
    const auto text = static_cast<TextId>(frontier.State(turn));
    if (text == graph.Zero()) break;
    for (std::int16_t press : kPresses) frontier.Meet(graph.Press(text, press), turn, press);
  }
  Walk& walk = search.shortest;
  if (turn < frontier.Size()) {
    walk.reached = true;
    std::vector<std::size_t> states;
    frontier.Trace(turn, walk.presses, states);
    for (std::size_t s : states) walk.fields.push_back(static_cast<TextId>(s));
  } else {
    walk.fields.push_back(start);
  }
  search.met.reserve(frontier.Size());
  for (std::size_t place = 0; place < frontier.Size(); ++place)
    search.met.push_back(static_cast<TextId>(frontier.State(place)));
  return search;
}

Neighbourhood Within(PressGraph& graph, TextId start, std::size_t depth, std::size_t limit) {
  Frontier frontier(start);
  // Texts [level_begin, level_end) lie `level` presses away.
  std::size_t level_begin = 0;
  for (std::size_t level = 0; level < depth && level_begin < frontier.Size(); ++level) {
    const std::size_t level_end = frontier.Size();
    for (std::size_t turn = level_begin; turn < level_end; ++turn) {
      const auto text = static_cast<TextId>(frontier.State(turn));
      for (std::int16_t press : kPresses) frontier.Meet(graph.Press(text, press), turn, press);
    }
    if (frontier.Size() > limit) return {{}, true};
    level_begin = level_end;
  }
  Neighbourhood near;
  for (std::size_t place = 0; place < frontier.Size(); ++place)
    near.texts.push_back(static_cast<TextId>(frontier.State(place)));
  near.over_limit = frontier.Size() > limit;
  return near;
}

}  // namespace velmora::explore
