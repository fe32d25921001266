#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numbers/number_text.h"
#include "numbers/runtime_error.h"

namespace velmora {
namespace {

TEST(ToInt16, RoundsHalfToEven) {
  const struct { double x; int expected; } cases[] = {
      {36, 36},          {2.5, 2},       {3.5, 4},          {-2.5, -2},       {-3.5, -4},
      {0.5, 0},          {1.5, 2},       {-0.5, 0},         {2.4999999999, 2}, {2.5000000001, 3},
      {32767, 32767},    {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768}, {-0.0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ToInt16(c.x), c.expected) << c.x;
}

// Between -1 and 0 the fraction x + 1 is itself rounded; just above -0.5 it
// rounds to 0.5 exactly, a tie that must still go up to 0.
TEST(ToInt16, RoundsBetweenMinusOneAndZero) {
  const struct { double x; int expected; } cases[] = {
      {-1e-20, 0},                 {-0x1.fffffffffffffp-2, 0},  // -(0.5 - 2^-54)
      {-0x1.0000000000001p-1, -1},  // -(0.5 + 2^-53)
      {-0x1.fffffffffffffp-1, -1},  // -(1 - 2^-53)
      {-4.9e-324, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ToInt16(c.x), c.expected) << c.x;
}

// Every half and its neighbours across the range, against the C library's
// rounding to nearest, ties to even.
TEST(ToInt16, AgreesWithTheLibrarysRoundingToNearest) {
  for (int n = -32768; n <= 32767; ++n) {
    for (double x : {n + 0.5, std::nextafter(n + 0.5, 0.0), std::nextafter(n + 0.5, n + 1.0), n - 0.25}) {
      const double expected = std::nearbyint(x);
      if (expected < -32768 || expected > 32767) continue;
      ASSERT_EQ(ToInt16(x), expected) << x;
    }
  }
}

TEST(ToInt16, OutOfRangeRaisesOverflow) {
  for (double x : {32768.0, 32767.5, -32768.6, -32769.0, 1e300,
                   std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    try {
      ToInt16(x);
      ADD_FAILURE() << "no error for " << x;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), 6) << x;
      EXPECT_EQ(e.Description(), "Overflow") << x;
    }
  }
}

TEST(Int16ToText, Writes) {
  EXPECT_EQ(Int16ToText(0).View(), "0");
  EXPECT_EQ(Int16ToText(8).View(), "8");
  EXPECT_EQ(Int16ToText(36).View(), "36");
  EXPECT_EQ(Int16ToText(-32768).View(), "-32768");
  EXPECT_EQ(Int16ToText(32767).View(), "32767");
}

}  // namespace
}  // namespace velmora
