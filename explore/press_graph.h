#pragma once
// The field texts that the window's two presses lead to, as a graph that is
// filled in as it is walked. Every reading of the exercise's question
// (readings.h) walks it. Every press is the panel's own: a NumberPanel
// started with the text (NumberPanel::StartWith), and pressed once. Each
// result is kept, so that a text is pressed at most once per button however
// many searches pass through it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "panel/number_panel.h"

namespace velmora::explore {

// A field text, numbered in the order the graph first met it.
using TextId = std::uint32_t;

inline constexpr std::int16_t kPresses[] = {NumberPanel::kIncrease, NumberPanel::kDecrease};

class PressGraph {
 public:
  // `regional_separator` as NumberPanel takes it: U'.' or U','.
  explicit PressGraph(char32_t regional_separator);

  // The text that the field holds once `typed` is typed into it:
  //   "112" -> "112", "12345" -> "1234", "abc" -> "abc", "1\n2" -> "1"
  TextId Typed(std::string_view typed);

  // The field text after pressing `button` (0 increase, 1 decrease) with
  // `from` in the field:  "112" 0 -> "116",  "112" 1 -> "108"
  TextId Press(TextId from, std::int16_t button);

  const std::string& Text(TextId id) const { return texts_[id]; }
  // The text as an answer shows it: the empty text as "" (two quotes).
  //   "112" -> "112",  "" -> "\"\""
  std::string Shown(TextId id) const;
  std::size_t Size() const noexcept { return texts_.size(); }

  // The exercise's goal, the field text "0".
  TextId Zero() const noexcept { return zero_; }

 private:
  static constexpr TextId kNotPressed = ~TextId{0};
  TextId Intern(std::string_view text);
  NumberPanel LoadedPanel(std::string_view text) const;

  char32_t regional_separator_;
  std::vector<std::string> texts_;
  std::unordered_map<std::string, TextId> ids_;
  std::vector<std::array<TextId, 2>> presses_;  // kNotPressed until pressed
  TextId zero_;
};

}  // namespace velmora::explore
