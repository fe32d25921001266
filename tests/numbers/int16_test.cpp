#include <gtest/gtest.h>

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
