#pragma once
// BigNumber: an unsigned whole number on the stack, for the exact decimal
// conversions of a double (read_number.cpp and number_to_text.cpp). It
// multiplies and divides by numbers of at most 32 bits and shifts. Its size
// is worked out below from the largest numbers those conversions make; an
// operation whose result would not fit stops the program (a trap) instead
// of dropping bits, so a size too small can never give a wrong answer.
// Everything here is constexpr, so that the bounds are checked at compile
// time by the same arithmetic that runs. It is private to the files that
// include it (an unnamed namespace): nothing of it is linked across files.

#include <algorithm>
#include <bit>
#include <cstdint>

namespace velmora {
namespace {

constexpr std::uint32_t kPowersOfTen[10] = {
    1, 10, 100, 1000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000};
constexpr std::uint32_t kPowersOfFive[14] = {
    1, 5, 25, 125, 625, 3125, 15'625, 78'125, 390'625, 1'953'125, 9'765'625, 48'828'125,
    244'140'625, 1'220'703'125};

// Enough bits for 10^n and for 5^n: n times a ratio a little over log2 10
// (1701 / 512) or log2 5 (1189 / 512), rounded up. A ratio over log2 5
// gives 2^BitsOfPowerOfFive(n) > 5^n for every n > 0 (checked at the end of
// this file as 5^512 < 2^1189, and 10^512 < 2^1701).
constexpr int BitsOfPowerOfTen(int n) noexcept { return (n * 1701 + 511) / 512; }
constexpr int BitsOfPowerOfFive(int n) noexcept { return (n * 1189 + 511) / 512; }

// ---- What the reader holds --------------------------------------------------

// Significant digits the reader keeps: enough to round any decimal to the
// nearest double, for they hold every halfway point between two doubles
// (the longest, (2^54 - 1) * 2^-1075, has 768 digits; read_number.cpp
// checks it). Whatever follows them only matters as "zero or not": one
// sticky digit more.
constexpr int kMaxReadDigits = 768;

// A decimal of value in [10^(k-1), 10^k) reads as zero for k at most
// kReadsAsZero (it is below half the least subnormal, 2^-1075) and as
// infinity for k at least kReadsAsInfinity (it is past the largest double);
// read_number.cpp checks both against powers of two.
constexpr int kReadsAsZero = -324;
constexpr int kReadsAsInfinity = 310;

// The most fives the reader divides by: its digits, the sticky one
// included, times 10^-t, with k = digits - t above kReadsAsZero.
constexpr int kMaxFivesDivided = (kMaxReadDigits + 1) - (kReadsAsZero + 1);

// Before dividing its digits by 5^t, the reader widens them to this many
// bits, so that the quotient keeps at least 64.
constexpr int ReaderDividendBits(int fives) noexcept { return 64 + BitsOfPowerOfFive(fives); }

// ---- The size ---------------------------------------------------------------

// The reader's largest numbers: its digits (under 10^(kMaxReadDigits + 1)),
// and those digits widened for the most fives. (Multiplying by 5^t instead,
// it stays under 10^(kReadsAsInfinity - 1); read_number.cpp checks that
// this fits.) The writer's are smaller: a double's 53-bit mantissa times
// 2^971 or times 5^338 (number_to_text.cpp checks it).
constexpr int kBigNumberBits =
    std::max(BitsOfPowerOfTen(kMaxReadDigits + 1), ReaderDividendBits(kMaxFivesDivided));

class BigNumber {
 public:
  static constexpr int kMaxBits = (kBigNumberBits + 31) / 32 * 32;

  constexpr explicit BigNumber(std::uint64_t value) noexcept {
    for (; value != 0; value >>= 32) limbs_[size_++] = static_cast<std::uint32_t>(value);
  }

  // *this = *this * factor + addend, for a factor other than 0.
  constexpr void Multiply(std::uint32_t factor, std::uint32_t addend = 0) noexcept {
    std::uint64_t carry = addend;
    for (int i = 0; i < size_; ++i) {
      carry += std::uint64_t{limbs_[i]} * factor;
      limbs_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) {
      if (size_ == kLimbs) Overflow();
      limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }
  }

  constexpr void MultiplyByPowerOfFive(int exponent) noexcept {
    for (; exponent > 13; exponent -= 13) Multiply(kPowersOfFive[13]);
    Multiply(kPowersOfFive[exponent]);
  }

  // Divides in place and gives the remainder.
  constexpr std::uint32_t Divide(std::uint32_t divisor) noexcept {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t part = remainder << 32 | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(part / divisor);
      remainder = part % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
  }

  // Divides by 5^exponent, truncating; tells whether a remainder was lost.
  // Dividing by the factors in turn gives the same quotient
  // (floor(floor(x / a) / b) is floor(x / ab)), and x / 5^exponent has a
  // fraction exactly when one of the divisions leaves a remainder.
  constexpr bool DivideByPowerOfFive(int exponent) noexcept {
    bool lost = false;
    for (; exponent > 13; exponent -= 13) lost |= Divide(kPowersOfFive[13]) != 0;
    lost |= Divide(kPowersOfFive[exponent]) != 0;
    return lost;
  }

  // Multiplies by 2^bits; nothing for bits of zero or less.
  constexpr void ShiftLeft(int bits) noexcept {
    if (bits <= 0 || size_ == 0) return;
    if (bits > kMaxBits - BitLength()) Overflow();
    const int limbs = bits / 32, rest = bits % 32;
    const int size = std::min(size_ + limbs + 1, kLimbs);  // (what is cut is an empty top limb)
    for (int i = size - 1; i >= 0; --i)  // from the top: reads only limbs not yet written
      limbs_[i] = static_cast<std::uint32_t>(((Limb(i - limbs) << 32 | Limb(i - limbs - 1)) << rest) >> 32);
    size_ = size;
    Trim();
  }

  // Divides by 2^bits, truncating; tells whether a 1 was shifted out.
  constexpr bool ShiftRight(int bits) noexcept {
    const int limbs = bits / 32, rest = bits % 32;
    bool lost = false;
    for (int i = 0; i < std::min(limbs, size_); ++i) lost |= limbs_[i] != 0;
    lost |= (Limb(limbs) & ((std::uint64_t{1} << rest) - 1)) != 0;
    for (int i = 0; i < size_; ++i)  // from the bottom: reads only limbs not yet written
      limbs_[i] = static_cast<std::uint32_t>((Limb(i + limbs + 1) << 32 | Limb(i + limbs)) >> rest);
    Trim();
    return lost;
  }

  constexpr int BitLength() const noexcept {
    return size_ == 0 ? 0 : size_ * 32 - std::countl_zero(limbs_[size_ - 1]);
  }

  // The value, which must fit in 64 bits.
  constexpr std::uint64_t Low64() const noexcept {
    if (size_ > 2) Overflow();
    return Limb(1) << 32 | Limb(0);
  }

 private:
  static constexpr int kLimbs = kMaxBits / 32;

  // A result that does not fit: a fault in the bounds above, never an
  // input's doing. (In a constant expression, a compile error.)
  [[noreturn]] static void Overflow() noexcept { __builtin_trap(); }

  // Limb i, or 0 outside the number.
  constexpr std::uint64_t Limb(int i) const noexcept { return i >= 0 && i < size_ ? limbs_[i] : 0; }
  constexpr void Trim() noexcept {
    while (size_ > 0 && limbs_[size_ - 1] == 0) --size_;
  }

  std::uint32_t limbs_[kLimbs];  // those at and above size_ are never read
  int size_ = 0;
};

// The bit length of 10^n (n >= 0), worked out with BigNumber's own
// arithmetic; for the bounds checked at compile time, here and in
// read_number.cpp.
constexpr int BitLengthOfPowerOfTen(int n) noexcept {
  BigNumber power(1);
  power.MultiplyByPowerOfFive(n);
  power.ShiftLeft(n);
  return power.BitLength();
}

// The ratios of BitsOfPowerOfTen and BitsOfPowerOfFive are over log2 10
// and log2 5.
static_assert([] {
  BigNumber five(1);
  five.MultiplyByPowerOfFive(512);
  return five.BitLength() <= BitsOfPowerOfFive(512);
}());
static_assert(BitLengthOfPowerOfTen(512) <= BitsOfPowerOfTen(512));

}  // namespace
}  // namespace velmora
