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
        InsertIntoField(c.text, {c.selection_start, c.selection_end}, c.inserted, c.limit);
    EXPECT_EQ(edit.text, c.result);
    EXPECT_EQ(edit.caret, c.caret);
  }
}

TEST(InsertIntoField, AFieldAlreadyOverTheLimitTakesNothingButKeepsItsText) {
  // Only text set before the limit was can be longer; the rule cuts nothing of it.
  const FieldEdit edit = InsertIntoField("123456", {6, 6}, "7", 4);
  EXPECT_EQ(edit.text, "123456");
  EXPECT_EQ(edit.caret, 6u);
}

TEST(InsertIntoField, ChangesNothingOnlyWhenNothingGoesInAndNoSelectionGivesWay) {
  EXPECT_FALSE(InsertIntoField("9999", {4, 4}, "1", 4).changes);      // full
  EXPECT_FALSE(InsertIntoField("12", {1, 1}, "\n34", 4).changes);     // an empty first line
  EXPECT_TRUE(InsertIntoField("1234", {0, 2}, "\n99", 4).changes);    // the selection goes
  EXPECT_TRUE(InsertIntoField("12", {2, 2}, "3", 4).changes);
}

struct Change {
  const char* name;
  const char* was;
  const char* now;
  std::size_t caret;  // in `now`
  std::size_t start, end;
  const char* inserted;
};

// The one span a widget's own change replaced, whatever the front end.
TEST(ChangedSpan, IsTheOneSpanThatDiffersEndingAtOrBeforeTheCaret) {
  const Change table[] = {
      {"typed at the end", "112", "1123", 4, 3, 3, "3"},
      {"typed at the start, next to an equal one", "1111", "11111", 1, 0, 0, "1"},
      {"typed in the middle, next to an equal one", "1111", "11111", 2, 1, 1, "1"},
      {"deleted", "1234", "14", 1, 1, 3, ""},
      {"replaced", "1234", "1994", 3, 1, 3, "99"},
      {"one two-byte character for another", "Чи", "Ши", 1, 0, 1, "Ш"},
      {"an emoji for another sharing its first bytes", "😀", "😁", 1, 0, 1, "😁"},
      {"all gone", "112", "", 0, 0, 3, ""},
      {"nothing changed", "112", "112", 3, 3, 3, ""},
  };
  for (const Change& c : table) {
    SCOPED_TRACE(c.name);
    const FieldChange change = ChangedSpan(c.was, c.now, c.caret);
    EXPECT_EQ(change.replaced.start, c.start);
    EXPECT_EQ(change.replaced.end, c.end);
    EXPECT_EQ(change.inserted, c.inserted);
  }
}

struct Settling {
  const char* name;
  const char* was;
  const char* now;
  std::size_t caret;
  const char* result;
  std::size_t caret_after;
};

// A change that reached the widget without the rule is settled by it, the
// caret staying where the user left it (never cut to 4 with it at 0).
TEST(SettleChange, CutsTheChangedSpanAndKeepsTheCaretWhereTheUserLeftIt) {
  const Settling table[] = {
      {"a replacement past the limit at the end", "112", "112345", 6, "1123", 4},
      {"a replacement past the limit in the middle", "12", "1abc2", 4, "1ab2", 3},
      {"the caret before the change", "12", "1abc2", 0, "1ab2", 0},
      {"a character at the start of a full field", "9999", "19999", 1, "9999", 0},
      {"a pasted second line", "1", "12\n3", 4, "12", 2},
      {"within the limit: as it is", "12", "1ab2", 3, "1ab2", 3},
      {"deleting", "1234", "12", 2, "12", 2},
      {"a caret given past the end stands at it", "12", "123", 9, "123", 3},
      {"emoji past the limit, never half", "11", "11😀😀😀", 5, "11😀😀", 4},
  };
  for (const Settling& c : table) {
    SCOPED_TRACE(c.name);
    const FieldEdit edit = SettleChange(c.was, c.now, c.caret, 4);
    EXPECT_EQ(edit.text, c.result);
    EXPECT_EQ(edit.caret, c.caret_after);
  }
}

}  // namespace
}  // namespace velmora
