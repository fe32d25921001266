#include "numbers/utf8.h"

namespace velmora {

namespace {

constexpr bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::size_t CharLength(std::string_view text, std::size_t pos) noexcept {
  const auto at = [&](std::size_t i) -> unsigned char {
    return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0;
  };
  const unsigned char lead = at(0);
  // The second byte's allowed range excludes overlong forms, surrogates and
  // code points past U+10FFFF.
  std::size_t length = 1;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (at(1) < low || at(1) > high) return 1;
  for (std::size_t i = 2; i < length; ++i)
    if (!IsContinuation(at(i))) return 1;
  return length;
}

std::size_t CountChars(std::string_view text) noexcept {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++count;
  return count;
}

std::string_view CutToChars(std::string_view text, std::size_t limit) noexcept {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < limit && pos < text.size(); ++n) pos += CharLength(text, pos);
  return text.substr(0, pos);
}

}  // namespace velmora
