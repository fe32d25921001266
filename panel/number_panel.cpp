#include "panel/number_panel.h"

#include "numbers/digit_sum.h"
#include "numbers/number_text.h"
#include "numbers/runtime_error.h"
#include "numbers/utf8.h"

namespace velmora {

NumberPanel::NumberPanel(char32_t regional_separator)
    : decimal_separator_(SeparatorFor(regional_separator)) {}

void NumberPanel::Load(std::string_view field_text) {
  field_text_.assign(field_text);
  OnLoad();
}

void NumberPanel::OnLoad() {
  field_limit_ = kFieldLimitOnLoad;
  field_alignment_ = Alignment::Centre;
}

void NumberPanel::StartWith(std::string_view typed) {
  Load(kInitialFieldText);
  Insert(Selection::All(), typed);
}

std::string NumberPanel::Written(std::int16_t index) const {
  if (index != kIncrease && index != kDecrease)
    throw RuntimeError(kErrorInvalidArgument, "Invalid procedure call or argument: no button " +
                                                  std::string(Int16ToText(index)));
  // The field text is read afresh for every step.
  double x = ReadNumber(field_text_);
  const std::int16_t a = ToInt16(DigitSum(field_text_));
  x = index == kIncrease ? x + a : x - a;
  // The program's own write keeps the first `limit` characters.
  const ShortText written = NumberToText(x, decimal_separator_);
  return std::string(field_limit_ > 0 ? CutToChars(written, field_limit_) : std::string_view(written));
}

void NumberPanel::OnCommand(std::int16_t index) {
  field_text_ = Written(index);
  const std::int16_t b = ToInt16(DigitSum(field_text_));
  top_line_.assign(kSumPrefix);
  top_line_.append(Int16ToText(b));
}

// NumberToText writes no other '.' or ',' than the separator.
bool NumberPanel::PressWritesSeparator(std::int16_t index) const {
  try {
    return Written(index).find(decimal_separator_) != std::string::npos;
  } catch (const RuntimeError&) {
    return false;
  }
}

FieldEdit NumberPanel::Insert(Selection selection, std::string_view text) {
  FieldEdit edit = InsertIntoField(field_text_, selection, text, field_limit_);
  field_text_ = edit.text;
  return edit;
}

FieldEdit NumberPanel::Settle(std::string_view text, std::size_t caret) {
  FieldEdit edit = SettleChange(field_text_, text, caret, field_limit_);
  field_text_ = edit.text;
  return edit;
}

}  // namespace velmora
