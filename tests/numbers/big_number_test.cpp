// BigNumber at its edges: carries through every limb, shifts across limb
// boundaries, and the largest numbers the reader and the writer make, with
// the expected values worked out independently (by arbitrary-precision
// arithmetic, given here as constants).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "numbers/big_number.h"

namespace velmora {
namespace {

// The number in decimal, taken apart nine digits at a time.
std::string Decimal(BigNumber& n) {
  std::string text;
  while (n.BitLength() > 32) {
    const std::string chunk = std::to_string(n.Divide(1'000'000'000));
    text = std::string(9 - chunk.size(), '0') + chunk + text;
  }
  return std::to_string(n.Low64()) + text;
}

// Decimal digits multiplied in nine at a time, as the reader does.
void MultiplyInDigits(BigNumber& n, const std::string& digits) {
  for (std::size_t i = 0; i < digits.size(); i += 9) {
    const std::string chunk = digits.substr(i, 9);
    n.Multiply(kPowersOfTen[chunk.size()], static_cast<std::uint32_t>(std::stoul(chunk)));
  }
}

TEST(BigNumber, MultiplyCarriesThroughEveryLimb) {
  const struct { std::uint64_t start; std::uint32_t factor, addend; const char* product; } cases[] = {
      {0, 10, 7, "7"},  // from zero, as the reader starts
      {0xFFFF'FFFF, 0xFFFF'FFFF, 0xFFFF'FFFF, "18446744069414584320"},
      {0xFFFF'FFFF'FFFF'FFFF, 0xFFFF'FFFF, 0xFFFF'FFFF, "79228162495817593519834398720"},
      {0xFFFF'FFFF'FFFF'FFFF, 1, 1, "18446744073709551616"},
      {0x8000'0000'0000'0000, 2, 0, "18446744073709551616"},
      {1, kPowersOfFive[13], 0, "1220703125"},
  };
  for (const auto& c : cases) {
    BigNumber n(c.start);
    n.Multiply(c.factor, c.addend);
    EXPECT_EQ(Decimal(n), c.product) << c.start << " * " << c.factor << " + " << c.addend;
  }
}

TEST(BigNumber, DivideGivesQuotientAndRemainder) {
  BigNumber n(0);
  MultiplyInDigits(n, "340282366920938463463374607431768211457");  // 2^128 + 1
  EXPECT_EQ(n.Divide(0xFFFF'FFFF), 2u);
  EXPECT_EQ(Decimal(n), "79228162532711081671548469249");
  BigNumber small(7);
  EXPECT_EQ(small.Divide(10), 7u);
  EXPECT_EQ(small.BitLength(), 0);
}

// Powers of five past one divisor (5^13) are divided in steps; a remainder
// left by any step, the first or the last, is reported.
TEST(BigNumber, DivideByPowerOfFiveTellsWhetherARemainderWasLost) {
  BigNumber exact(7);
  exact.MultiplyByPowerOfFive(27);
  EXPECT_FALSE(exact.DivideByPowerOfFive(27));
  EXPECT_EQ(exact.Low64(), 7u);

  BigNumber first_step(7);  // 7 * 5^27 + 1: 1 is left by the first step
  first_step.MultiplyByPowerOfFive(27);
  first_step.Multiply(1, 1);
  EXPECT_TRUE(first_step.DivideByPowerOfFive(27));
  EXPECT_EQ(first_step.Low64(), 7u);

  BigNumber last_step(36);  // 36 * 5^26 = 7 * 5^27 + 5^26: left by the last step
  last_step.MultiplyByPowerOfFive(26);
  EXPECT_TRUE(last_step.DivideByPowerOfFive(27));
  EXPECT_EQ(last_step.Low64(), 7u);

  BigNumber by_one(5);  // 5^0
  EXPECT_FALSE(by_one.DivideByPowerOfFive(0));
  EXPECT_EQ(by_one.Low64(), 5u);
}

TEST(BigNumber, ShiftsAcrossLimbBoundaries) {
  const struct { std::uint64_t start; int bits; std::uint64_t left; } cases[] = {
      {1, 0, 1},
      {1, -5, 1},  // nothing for bits of zero or less
      {0xFFFF'FFFF, 1, 0x1'FFFF'FFFE},
      {0xFFFF'FFFF, 31, 0x7FFF'FFFF'8000'0000},
      {0xFFFF'FFFF, 32, 0xFFFF'FFFF'0000'0000},
      {0x7FFF'FFFF, 33, 0xFFFF'FFFE'0000'0000},
      {0, 40, 0},
  };
  for (const auto& c : cases) {
    BigNumber n(c.start);
    n.ShiftLeft(c.bits);
    EXPECT_EQ(n.Low64(), c.left) << c.start << " << " << c.bits;
    EXPECT_FALSE(n.ShiftRight(c.bits > 0 ? c.bits : 0)) << c.start << " << " << c.bits;
    EXPECT_EQ(n.Low64(), c.start) << c.start << " << " << c.bits << " >> " << c.bits;
  }
}

TEST(BigNumber, ShiftRightTellsWhetherAOneWasLost) {
  const struct { std::uint64_t start; int bits; std::uint64_t right; bool lost; } cases[] = {
      {0x1'0000'0000, 32, 1, false},  {0x1'0000'0001, 32, 1, true},
      {0x1'8000'0000, 32, 1, true},   {0x1'0000'0000, 33, 0, true},
      {0x8000'0000'0000'0000, 63, 1, false}, {0x8000'0000'0000'0000, 64, 0, true},
      {0x8000'0000'0000'0000, 200, 0, true}, {5, 0, 5, false},
  };
  for (const auto& c : cases) {
    BigNumber n(c.start);
    EXPECT_EQ(n.ShiftRight(c.bits), c.lost) << c.start << " >> " << c.bits;
    EXPECT_EQ(n.Low64(), c.right) << c.start << " >> " << c.bits;
  }
}

// The reader's longest digits (768 kept and a sticky one, all nines), read
// back whole, then widened for the most fives it divides by and divided, as
// it does for the smallest values.
TEST(BigNumber, TheReadersLargestNumbers) {
  const std::string nines(kMaxReadDigits + 1, '9');
  BigNumber digits(0);
  MultiplyInDigits(digits, nines);
  EXPECT_EQ(digits.BitLength(), 2555);
  EXPECT_EQ(Decimal(digits), nines);

  BigNumber x(0);
  MultiplyInDigits(x, nines);
  x.ShiftLeft(ReaderDividendBits(kMaxFivesDivided) - x.BitLength());
  EXPECT_EQ(x.BitLength(), 2600);
  const bool remainder = x.DivideByPowerOfFive(kMaxFivesDivided);
  EXPECT_TRUE(remainder);
  EXPECT_EQ(x.BitLength(), 65);
  EXPECT_FALSE(x.ShiftRight(1));
  EXPECT_EQ(x.Low64(), 0x8189'95CE'7AA0'E1B2u);
}

// The writer's: a double's largest mantissa times 2^971 (the largest
// double), and times 5^338 (the least subnormal's scaling).
TEST(BigNumber, TheWritersLargestNumbers) {
  const std::uint64_t mantissa = (std::uint64_t{1} << 53) - 1;
  BigNumber largest(mantissa);
  largest.ShiftLeft(971);
  EXPECT_EQ(largest.BitLength(), 1024);
  EXPECT_FALSE(largest.ShiftRight(971));
  EXPECT_EQ(largest.Low64(), mantissa);

  BigNumber scaled(mantissa);
  scaled.MultiplyByPowerOfFive(338);
  EXPECT_EQ(scaled.BitLength(), 838);
  BigNumber low(mantissa);
  low.MultiplyByPowerOfFive(338);
  EXPECT_EQ(low.Divide(1'000'000'000), 802'734'375u);
  EXPECT_TRUE(scaled.ShiftRight(838 - 64));
  EXPECT_EQ(scaled.Low64(), 0xE0AC'CFA8'75AF'3EA2u);
}

// It holds up to its size; a result past it stops the program instead of
// losing bits. (Death tests run only where a crash brings up no debugger.)
TEST(BigNumberDeathTest, HoldsUpToItsSizeAndStopsPastIt) {
  BigNumber top(1);
  top.ShiftLeft(BigNumber::kMaxBits - 1);
  EXPECT_EQ(top.BitLength(), BigNumber::kMaxBits);
#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
  EXPECT_DEATH(top.Multiply(2), "");
  EXPECT_DEATH(top.ShiftLeft(1), "");
  EXPECT_DEATH((void)top.Low64(), "");
#endif
}

}  // namespace
}  // namespace velmora
