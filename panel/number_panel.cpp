#include "panel/number_panel.h"

#include "numbers/digit_sum.h"
#include "numbers/number_text.h"
#include "numbers/runtime_error.h"
#include "numbers/utf8.h"

namespace velmora {

// A regional separator other than a comma (none is used in practice) is
// written as a point, the one ReadNumber understands.
NumberPanel::NumberPanel(char decimal_separator)
    : decimal_separator_(decimal_separator == ',' ? ',' : '.') {}

void NumberPanel::OnLoad() {
  field_limit_ = kFieldLimitOnLoad;
  field_alignment_ = Alignment::Centre;
}

void NumberPanel::OnCommand(std::int16_t index) {
  if (index != kIncrease && index != kDecrease)
    throw RuntimeError(kErrorInvalidArgument, "Invalid procedure call or argument: no button " +
                                                  std::string(Int16ToText(index)));
  // The field text is read afresh for every step.
  double x = ReadNumber(field_text_);
  const std::int16_t a = ToInt16(DigitSum(field_text_));
  x = index == kIncrease ? x + a : x - a;
  WriteFieldText(NumberToText(x, decimal_separator_));
  const std::int16_t b = ToInt16(DigitSum(field_text_));
  top_line_.assign(kSumPrefix);
  top_line_.append(Int16ToText(b));
}

void NumberPanel::TypeFieldText(std::string_view text) { WriteFieldText(text); }

// Typing, pasting and the program's own writes all keep only the first
// `limit` characters once the limit is set.
void NumberPanel::WriteFieldText(std::string_view text) {
  field_text_.assign(field_limit_ > 0 ? CutToChars(text, field_limit_) : text);
}

}  // namespace velmora
