// NumberToText: 15 significant digits worked out with whole numbers, then
// written in plain or exponent notation.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "numbers/big_number.h"
#include "numbers/number_text.h"

namespace velmora {

namespace {

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

// The least decimal exponent of a double, floor(log10 |x|): that of the
// least subnormal, 2^-1074 (4.9e-324).
constexpr int kLeastExponent10 = -324;

// The largest numbers ScaleByPowerOfTen makes: a 53-bit mantissa times
// 2^971 (the largest double, under 2^1024), or times 5^(14 - k) for the
// least k.
static_assert(std::numeric_limits<double>::max_exponent <= BigNumber::kMaxBits);
static_assert(std::numeric_limits<double>::digits + BitsOfPowerOfFive(14 - kLeastExponent10) <=
              BigNumber::kMaxBits);

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
  // k = floor(log2 |x| * log10 2), with 315653 / 2^20 for log10 2 (to 7
  // digits), is floor(log10 2^floor(log2 |x|)) for every double, so
  // floor(log10 |x|) is k or k + 1 (x = 10 gives k = 0): the first loop
  // steps up to it. The second loop is a guard that is never entered: with
  // the estimate exact over the whole range of doubles, k never starts
  // above floor(log10 |x|). It would keep the search right for a coarser
  // estimate.
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

}  // namespace velmora
