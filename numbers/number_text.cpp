#include "numbers/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include <fast_float/fast_float.h>

#include "numbers/runtime_error.h"

namespace velmora {

namespace {

// ---- Reading ---------------------------------------------------------------

// Walks the text with blanks, tabs and line feeds removed. Peek() gives '\0'
// at the end; a NUL in the text ends a number just as the end does.
class Cursor {
 public:
  explicit Cursor(std::string_view text) noexcept : text_(text) {}

  char Peek() noexcept {
    while (pos_ < text_.size() && IsRemoved(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Next() noexcept { ++pos_; }

 private:
  static bool IsRemoved(char c) noexcept { return c == ' ' || c == '\t' || c == '\n'; }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

int RadixDigit(char c, int radix) noexcept {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  return value < radix ? value : -1;
}

// Hex (4 bits a digit) or octal (3) digits as one unsigned whole number,
// correctly rounded: the leading 61..64 bits are kept, later digits only
// count as bits of scale and as a sticky "something was dropped" flag.
double ReadRadixDigits(Cursor& cursor, int bits_per_digit) noexcept {
  const int radix = 1 << bits_per_digit;
  std::uint64_t mantissa = 0;
  std::int64_t scale = 0;  // power of two that mantissa is multiplied by
  bool sticky = false;
  for (int d; (d = RadixDigit(cursor.Peek(), radix)) >= 0; cursor.Next()) {
    if ((mantissa >> (64 - bits_per_digit)) == 0) {
      mantissa = (mantissa << bits_per_digit) | static_cast<std::uint64_t>(d);
    } else {
      sticky |= d != 0;
      scale = std::min<std::int64_t>(scale + bits_per_digit, 1 << 20);
    }
  }
  if (mantissa == 0) return 0.0;
  const int top_bit = 63 - std::countl_zero(mantissa);
  if (top_bit <= 52) return static_cast<double>(mantissa);  // exact
  // Round to 53 bits, ties to even.
  const int shift = top_bit - 52;
  std::uint64_t kept = mantissa >> shift;
  const std::uint64_t rest = mantissa & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (sticky || (kept & 1) != 0))) ++kept;
  return std::ldexp(static_cast<double>(kept), static_cast<int>(scale + shift));
}

// Enough significant digits to round any decimal to the nearest double: a
// halfway point between two doubles needs at most 767, and whatever follows
// the kept digits only matters as "zero or not" (the sticky digit).
constexpr std::size_t kMaxDigits = 768;
// Exponents are clamped far past any double, but not so far that the digits
// of a long text (each shifts the scale by one) could fail to offset them.
constexpr std::int64_t kExponentDigitsClamp = 100'000'000'000'000'000;
constexpr std::int64_t kExponentClamp = 100'000;

double ReadDecimal(Cursor& cursor) noexcept {
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Next();
  }

  // The significant digits as one integer, times ten to `scale`.
  char digits[kMaxDigits + 1];
  std::size_t count = 0;
  std::int64_t scale = 0;
  bool any_digit = false, sticky = false, seen_point = false;
  for (;; cursor.Next()) {
    const char c = cursor.Peek();
    if (c == '.' && !seen_point) {
      seen_point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    any_digit = true;
    if (count == 0 && c == '0') {  // a leading zero
      if (seen_point) --scale;
    } else if (count < kMaxDigits) {
      digits[count++] = c;
      if (seen_point) --scale;
    } else {  // a digit past those kept
      sticky |= c != '0';
      if (!seen_point) ++scale;
    }
  }
  if (!any_digit) return 0.0;

  // The exponent: a letter, an optional sign and digits; a letter without
  // digits adds nothing ("1e" and "1e+" read as 1).
  const char letter = cursor.Peek();
  if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
    cursor.Next();
    bool exponent_negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
      exponent_negative = cursor.Peek() == '-';
      cursor.Next();
    }
    std::int64_t exponent = 0;
    for (char c; IsDigit(c = cursor.Peek()); cursor.Next())
      exponent = std::min(exponent * 10 + (c - '0'), kExponentDigitsClamp);
    scale += exponent_negative ? -exponent : exponent;
  }

  if (count == 0) return negative ? -0.0 : 0.0;  // digits, all zero
  if (sticky) {
    digits[count++] = '1';
    --scale;
  }
  scale = std::clamp(scale, -kExponentClamp, kExponentClamp);

  // "<digits>e<scale>", converted to the nearest double, ties to even.
  // fast_float reads this plain form without looking at the locale and
  // gives IEEE results past the range too: +inf above the largest double,
  // zero below half the smallest subnormal.
  char buffer[kMaxDigits + 1 + 16];
  std::memcpy(buffer, digits, count);
  char* end = buffer + count;
  *end++ = 'e';
  end = std::to_chars(end, buffer + sizeof buffer, scale).ptr;
  double value = 0.0;
  fast_float::from_chars(buffer, end, value);
  return negative ? -value : value;
}

// ---- Writing ---------------------------------------------------------------

class TextWriter {
 public:
  explicit TextWriter(ShortText& out) noexcept : out_(out) {}
  void Put(char c) noexcept {
    if (out_.size < ShortText::kCapacity) out_.data[out_.size++] = c;
  }
  void Put(std::string_view s) noexcept {
    for (char c : s) Put(c);
  }
  void PutRepeated(char c, int n) noexcept {
    for (int i = 0; i < n; ++i) Put(c);
  }

 private:
  ShortText& out_;
};

}  // namespace

double ReadNumber(std::string_view text) noexcept {
  Cursor cursor(text);
  if (cursor.Peek() == '&') {
    cursor.Next();
    const char radix = cursor.Peek();
    if (radix == 'H' || radix == 'h' || radix == 'O' || radix == 'o') {
      cursor.Next();
      return ReadRadixDigits(cursor, radix == 'H' || radix == 'h' ? 4 : 3);
    }
    return 0.0;  // "&" then anything else is no number
  }
  return ReadDecimal(cursor);
}

ShortText NumberToText(double x, char separator) noexcept {
  ShortText out;
  TextWriter writer(out);
  if (std::isnan(x)) {
    writer.Put("NaN");
    return out;
  }
  if (std::isinf(x)) {
    writer.Put(x < 0 ? "-Infinity" : "Infinity");
    return out;
  }
  if (x == 0) {  // either sign
    writer.Put('0');
    return out;
  }

  // Rounded to 15 significant digits (ties to even): "-d.ddddddddddddde+XX".
  char scientific[32];
  const char* end = std::to_chars(scientific, scientific + sizeof scientific, x,
                                  std::chars_format::scientific, 14).ptr;
  const char* p = scientific;
  const bool negative = *p == '-';
  if (negative) ++p;
  char digits[15];
  int count = 0;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits[count++] = *p;
  int exponent = 0;
  std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
  while (count > 1 && digits[count - 1] == '0') --count;

  if (negative) writer.Put('-');
  const std::string_view significant(digits, static_cast<std::size_t>(count));
  if (exponent >= -4 && exponent <= 14) {
    if (exponent < 0) {
      writer.Put('0');
      writer.Put(separator);
      writer.PutRepeated('0', -exponent - 1);
      writer.Put(significant);
    } else {
      const int integer_digits = exponent + 1;
      writer.Put(significant.substr(0, static_cast<std::size_t>(std::min(integer_digits, count))));
      writer.PutRepeated('0', integer_digits - count);
      if (count > integer_digits) {
        writer.Put(separator);
        writer.Put(significant.substr(static_cast<std::size_t>(integer_digits)));
      }
    }
  } else {
    writer.Put(significant[0]);
    if (count > 1) {
      writer.Put(separator);
      writer.Put(significant.substr(1));
    }
    writer.Put('E');
    writer.Put(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) writer.Put('0');
    char exponent_digits[8];
    const char* exponent_end =
        std::to_chars(exponent_digits, exponent_digits + sizeof exponent_digits, magnitude).ptr;
    writer.Put(std::string_view(exponent_digits, static_cast<std::size_t>(exponent_end - exponent_digits)));
  }
  return out;
}

std::int16_t ToInt16(double x) {
  if (!std::isfinite(x)) throw RuntimeError(kErrorOverflow, "Overflow");
  // x - floor(x) is exact for every double, so the tie test is too.
  double rounded = std::floor(x);
  const double fraction = x - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  if (rounded < -32768.0 || rounded > 32767.0) throw RuntimeError(kErrorOverflow, "Overflow");
  return static_cast<std::int16_t>(rounded);
}

ShortText Int16ToText(std::int16_t n) noexcept {
  ShortText out;
  out.size = static_cast<std::uint8_t>(std::to_chars(out.data, out.data + ShortText::kCapacity, n).ptr - out.data);
  return out;
}

}  // namespace velmora
