#include <gtest/gtest.h>

#include <string>

#include "panel/field_edit.h"

namespace velmora {
namespace {

struct Insertion {
  const char* name;
  const char* text;
  std::size_t selection_start, selection_end;
  const char* inserted;
  std::size_t limit;
  const char* result;
  std::size_t caret;
};

// What typing or pasting into the field gives, whatever the front end.
TEST(InsertIntoField, KeepsWhatFitsAndNothingPastTheFirstLineBreak) {
  const Insertion table[] = {
      {"typing a digit", "11", 2, 2, "2", 4, "112", 3},
      {"typing into a full field", "9999", 4, 4, "1", 4, "9999", 4},
      {"typing at the start of a full field", "1234", 0, 0, "7", 4, "1234", 0},
      {"typing over a selection", "1234", 1, 3, "9", 4, "194", 2},
      {"pasting a long number", "", 0, 0, "123456789", 4, "1234", 4},
      {"pasting after text", "12", 2, 2, "3456", 4, "1234", 4},
      {"pasting inside text", "11", 1, 1, "2345", 4, "1231", 3},
      {"pasting over a selection", "1234", 1, 3, "abcdef", 4, "1ab4", 3},
      {"pasting over everything", "1234", 0, 4, "98765", 4, "9876", 4},
      {"selection given backwards", "1234", 3, 1, "x", 4, "1x4", 2},
      {"selection past the end", "12", 1, 9, "x", 4, "1x", 2},
      {"pasting Cyrillic", "", 0, 0, "Число 12", 4, "Числ", 4},
      {"five emoji into an empty field", "", 0, 0, "😀😀😀😀😀", 4, "😀😀😀😀", 4},
      {"two emoji after 112: one fits, never half", "112", 3, 3, "😀😀", 4, "112😀", 4},
      {"lines: only the first", "", 0, 0, "5\n6\n7", 4, "5", 1},
      {"CR LF ends the line too", "1", 1, 1, "23\r\n45", 4, "123", 3},
      {"a lone CR", "", 0, 0, "7\r8", 4, "7", 1},
      {"an empty first line replaces the selection", "1234", 0, 2, "\n99", 4, "34", 0},
      {"no limit before load", "", 0, 0, "123456", 0, "123456", 6},
      {"deleting is not inserting", "1234", 1, 3, "", 4, "14", 1},
  };
  for (const Insertion& c : table) {
    SCOPED_TRACE(c.name);
    const FieldEdit edit =
        InsertIntoField(c.text, c.selection_start, c.selection_end, c.inserted, c.limit);
    EXPECT_EQ(edit.text, c.result);
    EXPECT_EQ(edit.caret, c.caret);
  }
}

TEST(InsertIntoField, AFieldAlreadyOverTheLimitTakesNothingButKeepsItsText) {
  // Only text set before the limit was can be longer; the rule cuts nothing of it.
  const FieldEdit edit = InsertIntoField("123456", 6, 6, "7", 4);
  EXPECT_EQ(edit.text, "123456");
  EXPECT_EQ(edit.caret, 6u);
}

}  // namespace
}  // namespace velmora
