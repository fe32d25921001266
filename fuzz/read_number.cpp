// ReadNumber on arbitrary bytes against a reference reader written plainly
// and another way: blanks, tabs and line feeds erased first, the grammar of
// numbers/number_text.h matched by index, and the matched number handed to
// strtod (this program never sets a locale, so strtod reads the "C" one),
// radix digits as a binary fraction "0x...p0" that strtod rounds correctly.
// The two must agree bit for bit (-0.0 and 0.0 differ); no text reads as NaN;
// a blank in front changes nothing; and the value written back reads as the
// same 15-digit text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "numbers/number_text.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string DigitsFrom(const std::string& text, std::size_t& i) {
  std::string digits;
  while (i < text.size() && IsDigit(text[i])) digits += text[i++];
  return digits;
}

// "&H" hex or "&O" octal digits after the prefix, as bits; then hex.
double ReferenceRadix(const std::string& text, std::size_t i, int bits_per_digit) {
  std::string bits;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int value;
    if (IsDigit(c)) value = c - '0';
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else break;
    if (value >= (1 << bits_per_digit)) break;
    for (int b = bits_per_digit - 1; b >= 0; --b) bits += (value >> b & 1) ? '1' : '0';
  }
  while (bits.size() % 4 != 0) bits.insert(bits.begin(), '0');
  std::string hex = "0x0";
  for (std::size_t b = 0; b < bits.size(); b += 4) {
    const int nibble = std::stoi(bits.substr(b, 4), nullptr, 2);
    hex += "0123456789abcdef"[nibble];
  }
  hex += "p0";
  return std::strtod(hex.c_str(), nullptr);
}

double ReferenceRead(std::string_view input) {
  std::string text;
  for (char c : input)
    if (c != ' ' && c != '\t' && c != '\n') text += c;

  if (!text.empty() && text[0] == '&') {
    if (text.size() >= 2 && (text[1] == 'H' || text[1] == 'h')) return ReferenceRadix(text, 2, 4);
    if (text.size() >= 2 && (text[1] == 'O' || text[1] == 'o')) return ReferenceRadix(text, 2, 3);
    return 0.0;
  }

  std::size_t i = 0;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  const std::string whole = DigitsFrom(text, i);
  std::string fraction;
  if (i < text.size() && text[i] == '.') {
    ++i;
    fraction = DigitsFrom(text, i);
  }
  if (whole.empty() && fraction.empty()) return 0.0;
  number += (whole.empty() ? "0" : whole) + "." + fraction;

  if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    const std::string exponent_digits = DigitsFrom(text, j);
    if (!exponent_digits.empty()) number += exponent + exponent_digits;
  }
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double x = velmora::ReadNumber(text);
  if (std::isnan(x)) std::abort();
  const double expected = ReferenceRead(text);
  if (std::memcmp(&x, &expected, sizeof x) != 0) std::abort();
  const double behind_blank = velmora::ReadNumber(" " + std::string(text));
  if (std::memcmp(&x, &behind_blank, sizeof x) != 0) std::abort();
  if (std::isfinite(x)) {
    const velmora::ShortText written = velmora::NumberToText(x, '.');
    const double again = velmora::ReadNumber(written);
    if (std::isfinite(again) && velmora::NumberToText(again, '.').View() != written.View())
      std::abort();  // (near the largest double the text reads back as infinity)
  }
  return 0;
}
