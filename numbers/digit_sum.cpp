#include "numbers/digit_sum.h"

#include "numbers/number_text.h"
#include "numbers/utf8.h"

namespace velmora {

std::int16_t DigitSum(std::string_view text) {
  // The length is taken once, before the loop; each character is read as a
  // text of its own, so only "0".."9" contribute.
  const std::size_t length = CountChars(text);
  std::int16_t sum = 0;
  std::size_t pos = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const std::size_t char_length = CharLength(text, pos);
    sum = ToInt16(sum + ReadNumber(text.substr(pos, char_length)));
    pos += char_length;
  }
  return sum;
}

}  // namespace velmora
