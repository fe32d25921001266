#include "numbers/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "numbers/runtime_error.h"

namespace velmora {

namespace {

// ---- Whole numbers ---------------------------------------------------------

constexpr std::uint32_t kPowersOfTen[10] = {
    1, 10, 100, 1000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000};
constexpr std::uint32_t kPowersOfFive[14] = {
    1, 5, 25, 125, 625, 3125, 15'625, 78'125, 390'625, 1'953'125, 9'765'625, 48'828'125,
    244'140'625, 1'220'703'125};

// Enough significant digits to round any decimal to the nearest double: a
// halfway point between two doubles needs at most 767, and whatever follows
// the kept digits only matters as "zero or not" (the sticky digit).
constexpr std::size_t kMaxDigits = 768;

// The most bits a BigNumber holds. The reader's digits, with a sticky one,
// are under 10^769 (2555 bits); before it divides them by 5^t it widens
// them to 64 + ceil(t * log2 5) bits, t being at most 1092 (the most digits
// at 10^-323, the least value not read as zero). 1701 / 512 and 1189 / 512
// are a little over log2 10 and log2 5. The writer needs at most 1024 bits:
// a double's 53-bit mantissa times 2^971, or times 5^339 (under 2^841).
constexpr int kMaxFivesDivided = static_cast<int>(kMaxDigits) + 1 + 323;
constexpr int kBigNumberBits = std::max(((static_cast<int>(kMaxDigits) + 1) * 1701 + 511) / 512,
                                        64 + (kMaxFivesDivided * 1189 + 511) / 512);

// An unsigned whole number of up to kBigNumberBits bits, on the stack. It
// only multiplies and divides by numbers of at most 32 bits and shifts;
// what would grow past that is dropped (no value here does).
class BigNumber {
 public:
  explicit BigNumber(std::uint64_t value) noexcept {
    for (; value != 0; value >>= 32) limbs_[size_++] = static_cast<std::uint32_t>(value);
  }

  // *this = *this * factor + addend.
  void Multiply(std::uint32_t factor, std::uint32_t addend = 0) noexcept {
    std::uint64_t carry = addend;
    for (int i = 0; i < size_; ++i) {
      carry += std::uint64_t{limbs_[i]} * factor;
      limbs_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0 && size_ < kLimbs) limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }

  void MultiplyByPowerOfFive(int exponent) noexcept {
    for (; exponent > 13; exponent -= 13) Multiply(kPowersOfFive[13]);
    Multiply(kPowersOfFive[exponent]);
  }

  // Divides in place and gives the remainder.
  std::uint32_t Divide(std::uint32_t divisor) noexcept {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t part = remainder << 32 | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(part / divisor);
      remainder = part % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
  }

  // Multiplies by 2^bits; nothing for bits of zero or less.
  void ShiftLeft(int bits) noexcept {
    if (bits <= 0 || size_ == 0) return;
    const int limbs = bits / 32, rest = bits % 32;
    const int size = std::min(size_ + limbs + 1, kLimbs);
    for (int i = size - 1; i >= 0; --i)  // from the top: reads only limbs not yet written
      limbs_[i] = static_cast<std::uint32_t>(((Limb(i - limbs) << 32 | Limb(i - limbs - 1)) << rest) >> 32);
    size_ = size;
    Trim();
  }

  // Divides by 2^bits, truncating; tells whether a 1 was shifted out.
  bool ShiftRight(int bits) noexcept {
    const int limbs = bits / 32, rest = bits % 32;
    bool lost = false;
    for (int i = 0; i < std::min(limbs, size_); ++i) lost |= limbs_[i] != 0;
    lost |= (Limb(limbs) & ((std::uint64_t{1} << rest) - 1)) != 0;
    for (int i = 0; i < size_; ++i)  // from the bottom: reads only limbs not yet written
      limbs_[i] = static_cast<std::uint32_t>((Limb(i + limbs + 1) << 32 | Limb(i + limbs)) >> rest);
    Trim();
    return lost;
  }

  int BitLength() const noexcept {
    return size_ == 0 ? 0 : size_ * 32 - std::countl_zero(limbs_[size_ - 1]);
  }

  // The low 64 bits (all of it, where it is used).
  std::uint64_t Low64() const noexcept { return Limb(1) << 32 | Limb(0); }

 private:
  // Limb i, or 0 outside the number.
  std::uint64_t Limb(int i) const noexcept { return i >= 0 && i < size_ ? limbs_[i] : 0; }
  void Trim() noexcept {
    while (size_ > 0 && limbs_[size_ - 1] == 0) --size_;
  }

  static constexpr int kLimbs = (kBigNumberBits + 31) / 32;
  std::uint32_t limbs_[kLimbs];  // those at and above size_ are never read
  int size_ = 0;
};

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

// D * 10^scale for the decimal digits D (count of them, the first not 0),
// rounded to the nearest double, ties to even.
double DecimalToDouble(const char* digits, int count, int scale) noexcept {
  // The value lies in [10^(k-1), 10^k).
  const int k = count + scale;
  if (k >= 310) return HUGE_VAL;  // past the largest double, 1.8e308
  if (k <= -324) return 0.0;      // below half the least subnormal, 2.5e-324

  // Both D and 10^|scale| are exact doubles, so one multiplication or
  // division rounds correctly (on Windows too, whose x87 runs at 53 bits).
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
    x.MultiplyByPowerOfFive(scale);  // under 10^309
  } else {
    // Enough bits first that the quotient keeps at least 64: 1189 / 512
    // is a little more than log2 5. A remainder of the divisions is a
    // sticky fraction (floor(floor(x / a) / b) is floor(x / ab)).
    int t = -scale;
    const int shift = std::max(0, 64 + (t * 1189 + 511) / 512 - x.BitLength());
    x.ShiftLeft(shift);
    exponent2 -= shift;
    for (; t > 13; t -= 13) sticky |= x.Divide(kPowersOfFive[13]) != 0;
    sticky |= x.Divide(kPowersOfFive[t]) != 0;
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
  // left for a sticky digit behind them.
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

  const double value = DecimalToDouble(digits, static_cast<int>(count), static_cast<int>(scale));
  return negative ? -value : value;
}

// ---- Writing ---------------------------------------------------------------

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
    n.MultiplyByPowerOfFive(power10);
    const int twos = exponent2 + power10;
    n.ShiftLeft(twos);
    division.DivideByPowerOfTwo(-twos);
  } else {
    // Every divisor must be even to round right: 2^a, then 10^b.
    n.ShiftLeft(exponent2);
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
