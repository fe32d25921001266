#pragma once
// Counting characters in UTF-8 text. A character is one code point; a byte
// that does not start a well-formed sequence counts as one character of its
// own, so any byte string can be counted and cut without splitting anything.

#include <cstddef>
#include <string_view>

namespace velmora {

// Length in bytes of the character that starts at text[pos] (pos < size).
//   "7"      -> 1
//   "\xD0\xA7" (Ч) -> 2
//   "\xD0"   -> 1   (a lone lead byte is one character)
std::size_t CharLength(std::string_view text, std::size_t pos) noexcept;

// Number of characters in the text.  "Число" -> 5, "" -> 0
std::size_t CountChars(std::string_view text) noexcept;

// The first `limit` characters of the text (all of it if it is shorter).
//   CutToChars("10035", 4) -> "1003"
//   CutToChars("Число", 2) -> "Чи"
std::string_view CutToChars(std::string_view text, std::size_t limit) noexcept;

}  // namespace velmora
