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

// An unsigned whole number of up to 1152 bits, enough for every value the
// writer forms: a double's 53-bit mantissa times 2^971 (under 2^1024), or
// times 5^339 (under 2^841). Only multiplication and division by numbers of
// at most 31 bits are needed.
class BigNumber {
 public:
  explicit BigNumber(std::uint64_t value) noexcept {
    for (; value != 0; value >>= 32) limbs_[size_++] = static_cast<std::uint32_t>(value);
  }

  void Multiply(std::uint32_t factor) noexcept {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      carry += std::uint64_t{limbs_[i]} * factor;
      limbs_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0 && size_ < kLimbs) limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }

  // Nothing for exponents of zero or less.
  void MultiplyByPowerOfTwo(int exponent) noexcept {
    for (; exponent > 0; exponent -= 31) Multiply(std::uint32_t{1} << std::min(exponent, 31));
  }

  // Divides in place and gives the remainder.
  std::uint32_t Divide(std::uint32_t divisor) noexcept {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t part = remainder << 32 | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(part / divisor);
      remainder = part % divisor;
    }
    while (size_ > 0 && limbs_[size_ - 1] == 0) --size_;
    return static_cast<std::uint32_t>(remainder);
  }

  // The low 64 bits (all of it, where it is used).
  std::uint64_t Low64() const noexcept {
    return (size_ > 1 ? std::uint64_t{limbs_[1]} << 32 : 0) | (size_ > 0 ? limbs_[0] : 0);
  }

 private:
  static constexpr int kLimbs = 36;
  std::uint32_t limbs_[kLimbs] = {};
  int size_ = 0;
};

// A whole number divided by a chain of even divisors, rounded half to even
// at the end. With remainders r1..rn of the divisors d1..dn, applied in
// order, the dropped part compares with half of d1*...*dn as rn does with
// dn/2, ties broken by whether r1..r(n-1) are all zero.
class RoundingDivision {
 public:
  explicit RoundingDivision(BigNumber& n) noexcept : n_(n) {}

  void Divide(std::uint32_t even_divisor) noexcept {
    sticky_ |= last_remainder_ != 0;
    last_remainder_ = n_.Divide(even_divisor);
    last_divisor_ = even_divisor;
  }
  // Nothing for exponents of zero or less.
  void DivideByPowerOfTwo(int exponent) noexcept {
    for (; exponent > 0; exponent -= 30) Divide(std::uint32_t{1} << std::min(exponent, 30));
  }
  void DivideByPowerOfTen(int exponent) noexcept {
    for (; exponent > 9; exponent -= 9) Divide(1'000'000'000);
    if (exponent > 0) Divide(kPowersOfTen[exponent]);
  }

  // The quotient so far, truncated and rounded.
  std::uint64_t Truncated() const noexcept { return n_.Low64(); }
  std::uint64_t Rounded() const noexcept {
    const std::uint64_t q = n_.Low64();
    const std::uint64_t twice = std::uint64_t{last_remainder_} * 2;
    const bool up = twice > last_divisor_ || (twice == last_divisor_ && (sticky_ || (q & 1) != 0));
    return up ? q + 1 : q;
  }

  static constexpr std::uint32_t kPowersOfTen[10] = {
      1, 10, 100, 1000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000};

 private:
  BigNumber& n_;
  bool sticky_ = false;
  std::uint32_t last_remainder_ = 0;
  std::uint32_t last_divisor_ = 2;
};

constexpr std::uint64_t kTenTo14 = 100'000'000'000'000;
constexpr std::uint64_t kTenTo15 = 1'000'000'000'000'000;

// |x| = mantissa * 2^exponent2 (mantissa > 0) times 10^power10, exactly,
// then the quotient truncated, or rounded half to even.
struct Scaled {
  std::uint64_t truncated, rounded;
};
Scaled ScaleByPowerOfTen(std::uint64_t mantissa, int exponent2, int power10) noexcept {
  // 10^p = 5^p * 2^p: the fives multiply or divide, the twos join exponent2.
  BigNumber n(mantissa);
  RoundingDivision division(n);
  if (power10 >= 0) {
    for (int p = power10; p > 0; p -= 13) {  // 5^13 < 2^31
      std::uint32_t factor = 1;
      for (int i = 0; i < std::min(p, 13); ++i) factor *= 5;
      n.Multiply(factor);
    }
    const int twos = exponent2 + power10;
    n.MultiplyByPowerOfTwo(twos);
    division.DivideByPowerOfTwo(-twos);
  } else {
    // Every divisor must be even to round right: 2^a, then 10^b.
    n.MultiplyByPowerOfTwo(exponent2);
    division.DivideByPowerOfTwo(-exponent2);
    division.DivideByPowerOfTen(-power10);
  }
  return {division.Truncated(), division.Rounded()};
}

// The 15 significant digits of |x| (finite, non-zero), rounded half to
// even, as a whole number in [10^14, 10^15), and the decimal exponent k of
// the rounded value: |x| ~ digits * 10^(k-14).
struct Decimal15 {
  std::uint64_t digits;
  int exponent;
};
Decimal15 ToDecimal15(double x) noexcept {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent2 = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent2 = biased - 1075;
  }
  // floor(log10 |x|) is k or k - 1 for k = floor(log2 |x| * log10 2);
  // 315653 / 2^20 is log10 2 to 7 digits, close enough over -1074..1023.
  const int log2 = 63 - std::countl_zero(mantissa) + exponent2;
  int k = (log2 * 315653) >> 20;
  Scaled scaled = ScaleByPowerOfTen(mantissa, exponent2, 14 - k);
  while (scaled.truncated >= kTenTo15) scaled = ScaleByPowerOfTen(mantissa, exponent2, 14 - ++k);
  while (scaled.truncated < kTenTo14) scaled = ScaleByPowerOfTen(mantissa, exponent2, 14 - --k);
  if (scaled.rounded == kTenTo15) return {kTenTo14, k + 1};  // 9.99...95 rounds up
  return {scaled.rounded, k};
}

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

  // Rounded to 15 significant digits (ties to even), trailing zeros dropped.
  const bool negative = std::signbit(x);
  const Decimal15 decimal = ToDecimal15(x);
  const int exponent = decimal.exponent;
  char digits[15];
  std::uint64_t rest = decimal.digits;
  for (int i = 14; i >= 0; --i, rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);
  int count = 15;
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
