#pragma once
// Positions in UTF-16 text, as Qt and the Win32 W functions hold it, counted
// in characters as numbers/utf8.h counts them: a surrogate pair is one
// character, and a lone surrogate is a character of its own. `Unit` is any
// 16-bit code unit type (char16_t, or wchar_t on Windows).

#include <cstddef>
#include <string_view>

namespace velmora {

constexpr bool IsHighSurrogate(char32_t unit) noexcept { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) noexcept { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Whether text[i] is the second half of a pair (and so starts no character).
template <class Unit>
constexpr bool EndsPair(std::basic_string_view<Unit> text, std::size_t i) noexcept {
  static_assert(sizeof(Unit) == 2, "UTF-16 code units");
  return i > 0 && i < text.size() && IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1]);
}

// Characters in the first `units` units of `text` (all of it if shorter);
// a count that ends between the halves of a pair counts the pair.
//   (u"12", 1)          -> 1
//   (u"😀7", 1)         -> 1   (half a pair counts the pair)
//   (u"😀7", 2)         -> 1
//   (u"😀7", 3)         -> 2
//   (u"\xDC00\xD800", 2) -> 2  (lone halves, each one character)
template <class Unit>
constexpr std::size_t CharsInUnits(std::basic_string_view<Unit> text, std::size_t units) noexcept {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < units && i < text.size(); ++i)
    if (!EndsPair(text, i)) ++chars;
  return chars;
}

// Units of the first `chars` characters of `text` (all of it if shorter).
//   (u"😀7", 1)   -> 2
//   (u"😀7", 2)   -> 3
//   (u"7", 5)     -> 1
//   (u"\xD800" u"7", 1) -> 1  (a lone high half is one character)
template <class Unit>
constexpr std::size_t UnitsOfChars(std::basic_string_view<Unit> text, std::size_t chars) noexcept {
  std::size_t i = 0;
  for (std::size_t n = 0; n < chars && i < text.size(); ++n) i += EndsPair(text, i + 1) ? std::size_t{2} : std::size_t{1};
  return i;
}

}  // namespace velmora
