#pragma once
// The sum of the digit values in a text: the quantity the exercise is about.

#include <cstdint>
#include <string_view>

namespace velmora {

// Reads each character of the text on its own with ReadNumber and adds the
// values, converting the running sum with ToInt16 after each step; digits
// give their value, every other character (sign, point, letter, blank,
// Cyrillic) gives 0.
//   "" -> 0   "112" -> 4   "-12" -> 3   "7,5" -> 12   "&HFF" -> 0
//   "9E+9" -> 18   "9999" -> 36   " 1 2" -> 3   "Ч1" -> 1
// Raises RuntimeError 6 "Overflow" once the sum passes 32767 (a text of more
// than 3640 nines); the field's limit keeps the program far from that.
std::int16_t DigitSum(std::string_view text);

}  // namespace velmora
