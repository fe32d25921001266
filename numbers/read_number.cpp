// ReadNumber: the text's grammar, then its digits converted exactly.
//
// The exact conversion is written here rather than taken from a library:
// fast_float made the WebAssembly module 17.5 KB larger (measured when it
// was removed), and the WebAssembly build's C++ library (Emscripten 3.1.6)
// has no std::from_chars for double. Exact halfway cases and texts of 700
// to 1,500 digits were checked against strtod with fuzz/read_number.cpp,
// natively and on i686, with no mismatch.
#include <algorithm>
#include <bit>
#include <cmath>

#include "numbers/big_number.h"
#include "numbers/number_text.h"

namespace velmora {

namespace {

// q * 2^exponent2, plus less than one unit of q when `sticky`, rounded to
// the nearest double, ties to even: the bits below the 53 leading ones (or
// below 2^-1074 among the subnormals) are dropped. +inf past the largest
// double, 0 below half the least subnormal.
double RoundToDouble(std::uint64_t q, int exponent2, bool sticky) noexcept {
  const int dropped = std::max(64 - std::countl_zero(q) - 53, -1074 - exponent2);
  if (dropped <= 0) return std::ldexp(static_cast<double>(q), exponent2);  // exact
  if (dropped > 64) return 0.0;  // q < 2^64 is below half a unit
  // The kept bits and the first dropped one (the half); the rest is sticky.
  const std::uint64_t halves = q >> (dropped - 1);
  sticky |= (q & ((std::uint64_t{1} << (dropped - 1)) - 1)) != 0;
  std::uint64_t kept = halves >> 1;
  if ((halves & 1) != 0 && (sticky || (kept & 1) != 0)) ++kept;
  // Exact, a carry to 2^53 included; +inf past the range.
  return std::ldexp(static_cast<double>(kept), exponent2 + dropped);
}

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
  return RoundToDouble(mantissa, static_cast<int>(scale), sticky);
}

// Exponents are clamped far past any double, but not so far that the digits
// of a long text (each shifts the scale by one) could fail to offset them.
constexpr std::int64_t kExponentDigitsClamp = 100'000'000'000'000'000;
constexpr std::int64_t kExponentClamp = 100'000;

// The powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The bounds in numbers/big_number.h, checked with its own arithmetic.
// Every decimal digit of the longest halfway point between two doubles,
// (2^54 - 1) * 2^-1075 = (2^54 - 1) * 5^1075 * 10^-1075, is kept.
static_assert([] {
  BigNumber halfway((std::uint64_t{1} << 54) - 1);
  halfway.MultiplyByPowerOfFive(1075);
  int digits = 0;
  for (; halfway.BitLength() > 32; digits += 9) halfway.Divide(kPowersOfTen[9]);
  for (std::uint64_t rest = halfway.Low64(); rest != 0; rest /= 10) ++digits;
  return digits;
}() == kMaxReadDigits);
// A value below 10^kReadsAsZero is below 2^-1075, and one of at least
// 10^(kReadsAsInfinity - 1) is past 2^1024.
static_assert(BitLengthOfPowerOfTen(-kReadsAsZero) > 1075);
static_assert(BitLengthOfPowerOfTen(kReadsAsInfinity - 1) > 1024);
// Multiplied by 5^scale, the digits stay under 10^(kReadsAsInfinity - 1):
// they are multiplied only for k = count + scale below kReadsAsInfinity, and
// D * 5^scale is at most D * 10^scale < 10^k.
static_assert(BitsOfPowerOfTen(kReadsAsInfinity - 1) <= BigNumber::kMaxBits);

// D * 10^scale for the decimal digits D (count of them, the first not 0),
// rounded to the nearest double, ties to even.
double DecimalToDouble(const char* digits, int count, int scale) noexcept {
  // The value lies in [10^(k-1), 10^k).
  const int k = count + scale;
  if (k >= kReadsAsInfinity) return HUGE_VAL;
  if (k <= kReadsAsZero) return 0.0;

  // Both D and 10^|scale| are exact doubles, so one multiplication or
  // division rounds correctly. On x87 arithmetic (the i686 Windows build)
  // that holds at 53-bit precision, which cmake/mingw-i686.cmake sets for
  // every program by linking CRT_fp8.o; at the x87's own 64 bits it would
  // round twice.
  if (count <= 15 && scale >= -22 && scale <= 22) {
    std::uint64_t whole = 0;
    for (int i = 0; i < count; ++i) whole = whole * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    const double d = static_cast<double>(whole);
    return scale >= 0 ? d * kExactPowersOfTen[scale] : d / kExactPowersOfTen[-scale];
  }

  // Otherwise exactly: D * 10^scale as x * 2^exponent2, plus a sticky
  // fraction, with x of at most 64 bits. 10^scale is 5^scale * 2^scale:
  // the fives multiply or divide x, the twos join exponent2.
  BigNumber x(0);
  for (int i = 0; i < count; i += 9) {
    const int end = std::min(count, i + 9);
    std::uint32_t chunk = 0;
    for (int j = i; j < end; ++j) chunk = chunk * 10 + static_cast<std::uint32_t>(digits[j] - '0');
    x.Multiply(kPowersOfTen[end - i], chunk);
  }
  int exponent2 = scale;
  bool sticky = false;
  if (scale >= 0) {
    x.MultiplyByPowerOfFive(scale);  // under 10^(kReadsAsInfinity - 1)
  } else {
    // Enough bits first that the quotient keeps at least 64. A remainder
    // of the division is a sticky fraction.
    const int shift = std::max(0, ReaderDividendBits(-scale) - x.BitLength());
    x.ShiftLeft(shift);
    exponent2 -= shift;
    sticky = x.DivideByPowerOfFive(-scale);
  }
  const int excess = std::max(0, x.BitLength() - 64);
  sticky |= x.ShiftRight(excess);
  return RoundToDouble(x.Low64(), exponent2 + excess, sticky);
}

double ReadDecimal(Cursor& cursor) noexcept {
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Next();
  }

  // The significant digits as one integer, times ten to `scale`; room is
  // left for a sticky digit behind them. One "." may stand anywhere among
  // the digits: before them (".5"), between them or after them ("5.").
  char digits[kMaxReadDigits + 1];
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
    } else if (count < kMaxReadDigits) {
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

  const double value = DecimalToDouble(digits, static_cast<int>(count), static_cast<int>(scale));
  return negative ? -value : value;
}

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

}  // namespace velmora
