#pragma once
// The number panel: the field, its limit and alignment, and the top line,
// with the window's two handlers. It knows nothing of widgets; a front end
// shows its state and hands it the user's typing and button presses.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

enum class Alignment : std::uint8_t { Left = 0, Right = 1, Centre = 2 };

class NumberPanel {
 public:
  static constexpr std::string_view kInitialFieldText = "112";
  static constexpr std::string_view kInitialTopLine =
      "Естествено число - сума и разлика от цифри";
  static constexpr std::string_view kSumPrefix = "Сума от цифри: ";
  static constexpr std::size_t kFieldLimitOnLoad = 4;

  enum Button : std::int16_t { kIncrease = 0, kDecrease = 1 };

  // `decimal_separator` is the user's regional one, '.' or ','.
  explicit NumberPanel(char decimal_separator = '.');

  // Window load: field limit 4 (in characters), field text centred.
  void OnLoad();

  // A press of Command1(index): 0 adds the field's digit sum, 1 subtracts
  // it; the result goes back into the field, cut to the limit, and the top
  // line shows the digit sum of the new field text. Any other index raises
  // RuntimeError 5.
  void OnCommand(std::int16_t index);

  // Sets the field text as the user does by typing or pasting: once the
  // limit is set, only the first `limit` characters are kept.
  void TypeFieldText(std::string_view text);

  std::string_view FieldText() const noexcept { return field_text_; }
  std::size_t FieldLimit() const noexcept { return field_limit_; }  // 0: none
  Alignment FieldAlignment() const noexcept { return field_alignment_; }
  std::string_view TopLine() const noexcept { return top_line_; }
  char DecimalSeparator() const noexcept { return decimal_separator_; }

 private:
  void WriteFieldText(std::string_view text);

  std::string field_text_{kInitialFieldText};
  std::size_t field_limit_ = 0;
  Alignment field_alignment_ = Alignment::Centre;
  std::string top_line_{kInitialTopLine};
  char decimal_separator_;
};

}  // namespace velmora
