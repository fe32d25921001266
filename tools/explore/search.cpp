#include "tools/explore/search.h"

#include <algorithm>
#include <limits>

namespace velmora::explore {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// The texts met so far, each with the text and press it was first met
// from; a text's place in `met` is its place in the queue.
class Frontier {
 public:
  explicit Frontier(TextId start) { Meet(start, kNone, 0); }

  // Adds `text` unless it was met before.
  void Meet(TextId text, std::size_t from, std::int16_t press) {
    if (text >= place_.size()) place_.resize(text + std::size_t{1}, kNone);
    if (place_[text] != kNone) return;
    place_[text] = met_.size();
    met_.push_back({text, from, press});
  }

  std::size_t Size() const noexcept { return met_.size(); }
  TextId Text(std::size_t place) const { return met_[place].text; }

  // The presses and fields by which the text at `place` was first met.
  void Trace(std::size_t place, Path& path) const {
    for (; place != kNone; place = met_[place].from) {
      path.fields.push_back(met_[place].text);
      if (met_[place].from != kNone) path.presses.push_back(met_[place].press);
    }
    std::reverse(path.fields.begin(), path.fields.end());
    std::reverse(path.presses.begin(), path.presses.end());
  }

  std::vector<TextId> Texts() const {
    std::vector<TextId> texts;
    texts.reserve(met_.size());
    for (const Met& m : met_) texts.push_back(m.text);
    return texts;
  }

 private:
  struct Met {
    TextId text;
    std::size_t from;  // place of the text it was met from, kNone for the start
    std::int16_t press;
  };
  std::vector<Met> met_;
  std::vector<std::size_t> place_;  // by TextId, kNone: not met
};

}  // namespace

Path ShortestToZero(PressGraph& graph, TextId start) {
  Frontier frontier(start);
  Path path;
  for (std::size_t turn = 0; turn < frontier.Size(); ++turn) {
    const TextId text = frontier.Text(turn);
    if (text == graph.Zero()) {
      path.reached = true;
      frontier.Trace(turn, path);
      path.visited = frontier.Texts();
      return path;
    }
    for (std::int16_t press : kPresses) frontier.Meet(graph.Press(text, press), turn, press);
  }
  path.fields.push_back(start);
  path.visited = frontier.Texts();
  return path;
}

Neighbourhood Within(PressGraph& graph, TextId start, std::size_t depth, std::size_t limit) {
  Frontier frontier(start);
  // Texts [level_begin, level_end) lie `level` presses away.
  std::size_t level_begin = 0;
  for (std::size_t level = 0; level < depth && level_begin < frontier.Size(); ++level) {
    const std::size_t level_end = frontier.Size();
    for (std::size_t turn = level_begin; turn < level_end; ++turn) {
      const TextId text = frontier.Text(turn);
      for (std::int16_t press : kPresses) frontier.Meet(graph.Press(text, press), turn, press);
    }
    if (frontier.Size() > limit) return {{}, true};
    level_begin = level_end;
  }
  return {frontier.Texts(), frontier.Size() > limit};
}

}  // namespace velmora::explore
