#include <gtest/gtest.h>

#include "numbers/utf8.h"

namespace velmora {
namespace {

TEST(Utf8, CountsCodePoints) {
  const struct { const char* text; std::size_t count; } cases[] = {
      {"", 0},
      {"1003", 4},
      {"\xD0\xA7\xD0\xB8\xD1\x81\xD0\xBB\xD0\xBE", 5},  // "Число"
      {"\xE2\x82\xAC", 1},                              // euro sign
      {"\xF0\x9F\x98\x80", 1},                          // an emoji: one character
      {"\xD0", 1},                                      // lead byte at the end
      {"\xE2\x82" "1", 3},                              // truncated: each byte on its own
      {"\xC0\xAF", 2},                                  // overlong form: two bytes
      {"\xED\xA0\x80", 3},                              // a surrogate: three bytes
      {"\xF5\x80\x80\x80", 4},                          // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(CountChars(c.text), c.count) << c.text;
}

TEST(Utf8, CutsWithoutSplittingACharacter) {
  EXPECT_EQ(CutToChars("10035", 4), "1003");
  EXPECT_EQ(CutToChars("12", 4), "12");
  EXPECT_EQ(CutToChars("\xD0\xA7\xD0\xB8\xD1\x81\xD0\xBB\xD0\xBE", 4), "\xD0\xA7\xD0\xB8\xD1\x81\xD0\xBB");
  EXPECT_EQ(CutToChars("1\xF0\x9F\x98\x80" "234", 2), "1\xF0\x9F\x98\x80");
  EXPECT_EQ(CutToChars("abc", 0), "");
}

}  // namespace
}  // namespace velmora
