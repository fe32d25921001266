#include <gtest/gtest.h>

#include <string_view>

#include "numbers/utf16.h"

namespace velmora {
namespace {

struct Position {
  const char* name;
  std::u16string_view text;
  std::size_t units, chars;  // the same position, counted both ways
};

TEST(Utf16, UnitsAndCharactersNameTheSamePositions) {
  const Position table[] = {
      {"ASCII", u"12", 1, 1},
      {"after a pair", u"😀7", 2, 1},
      {"after a pair and a unit", u"😀7", 3, 2},
      {"two pairs", u"😀😀", 4, 2},
      {"a lone low half", u"\xDC00" u"7", 1, 1},
      {"a lone high half before a digit", u"\xD800" u"7", 1, 1},
      {"two lone halves in the wrong order", u"\xDC00\xD800", 2, 2},
      {"Cyrillic", u"Число", 5, 5},
  };
  for (const Position& c : table) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CharsInUnits(c.text, c.units), c.chars);
    EXPECT_EQ(UnitsOfChars(c.text, c.chars), c.units);
  }
}

TEST(Utf16, HalfAPairCountsThePairAndCountsPastTheEndStopThere) {
  EXPECT_EQ(CharsInUnits(std::u16string_view(u"😀7"), 1), 1u);
  EXPECT_EQ(CharsInUnits(std::u16string_view(u"12"), 9), 2u);
  EXPECT_EQ(UnitsOfChars(std::u16string_view(u"😀"), 5), 2u);
}

}  // namespace
}  // namespace velmora
