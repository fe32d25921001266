#include <gtest/gtest.h>

#include <string>

#include "numbers/digit_sum.h"
#include "numbers/runtime_error.h"

namespace velmora {
namespace {

TEST(DigitSum, AddsTheDigitsAndNothingElse) {
  const struct { const char* text; int sum; } cases[] = {
      {"", 0},       {"112", 4},   {"116", 8},    {"-12", 3},    {"1.5", 6},
      {"7,5", 12},   {"&HFF", 0},  {"1e3", 4},    {"9E+9", 18},  {"9999", 36},
      {"abc", 0},    {" 1 2", 3},  {"1\t2", 3},   {"1d2", 3},
      {"\xD0\xA7" "1", 1},          // "Ч1": a Cyrillic letter adds 0
      {"\xD0" "5", 5},              // a broken sequence is one character
  };
  for (const auto& c : cases) EXPECT_EQ(DigitSum(c.text), c.sum) << '"' << c.text << '"';
}

TEST(DigitSum, RaisesOverflowPast32767) {
  EXPECT_EQ(DigitSum(std::string(3640, '9')), 32760);
  try {
    DigitSum(std::string(3641, '9'));
    ADD_FAILURE() << "no overflow";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
}

}  // namespace
}  // namespace velmora
