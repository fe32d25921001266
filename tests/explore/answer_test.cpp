// The answers as the library gives them, on each runtime it is built for:
// the tool's, and WebAssembly's under node, as the teachers' page runs it.
// The same start must give the same bytes on both.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explore/answer.h"
#include "explore/dot_graph.h"
#include "explore/range.h"

namespace velmora::explore {
namespace {

TEST(ExploreAnswer, JsonLineIsTheSameBytesOnEveryRuntime) {
  PressGraph point(U'.'), comma(U',');
  EXPECT_EQ(AnswerJson(point, AnswerFor(point, "9")),
            R"({"start":"9","reachable":true,"presses":[1],"fields":["9","0"],)"
            R"("bothButtons":{"reachable":true,"presses":[0,1,1],"fields":["9","18","9","0"]},)"
            R"("inTurn":[{"first":0,"reachable":false,"presses":[0,1],"fields":["9","18","9"],)"
            R"("loop":["9","18"]},{"first":1,"reachable":true,"presses":[1],"fields":["9","0"]}]})"
            "\n");
  EXPECT_EQ(AnswerJson(comma, AnswerFor(comma, "1.5")),
            R"({"start":"1.5","reachable":true,"presses":[0,1,0],"fields":["1.5","7,5","-5","0"],)"
            R"("bothButtons":{"reachable":true,"presses":[0,1,0],"fields":["1.5","7,5","-5","0"]},)"
            R"("inTurn":[{"first":0,"reachable":true,"presses":[0,1,0],"fields":["1.5","7,5","-5","0"]},)"
            R"({"first":1,"reachable":true,"presses":[1,0,1],"fields":["1.5","-4,5","5","0"]}]})"
            "\n");
}

// The page keeps one graph for all the starts a teacher tries; its
// pictures must be the tool's, which starts afresh every time.
TEST(ExploreAnswer, APictureIsTheSameWhateverTheGraphPressedBefore) {
  PressGraph fresh(U'.'), used(U'.');
  AnswerFor(used, "4823");
  const Words& words = WordsFor(Language::kEnglish);
  const Answer answer = AnswerFor(fresh, "112"), again = AnswerFor(used, "112");
  EXPECT_EQ(DrawingDot(fresh, InTurnDrawing(fresh, answer, words), words),
            DrawingDot(used, InTurnDrawing(used, again, words), words));
  EXPECT_EQ(DrawingDot(fresh, SearchDrawing(fresh, answer, words), words),
            DrawingDot(used, SearchDrawing(used, again, words), words));
}

// A count of presses in each language: one press apart from the rest.
TEST(ExploreWords, PressesAreCountedInTheirLanguage) {
  const Words& english = WordsFor(Language::kEnglish);
  const Words& bulgarian = WordsFor(Language::kBulgarian);
  EXPECT_EQ(english.Presses(1), "1 press");
  EXPECT_EQ(english.Presses(0), "0 presses");
  EXPECT_EQ(english.Presses(345), "345 presses");
  EXPECT_EQ(bulgarian.Presses(1), "1 натискане");
  EXPECT_EQ(bulgarian.Presses(12), "12 натискания");
}

// The start as typed, and what the field holds where that differs; the
// empty text, which the field holds as typed, in quotes.
TEST(ExploreAnswer, HeadingNamesTheTypedTextAndWhatTheFieldHolds) {
  PressGraph graph(U'.');
  const Words& words = WordsFor(Language::kEnglish);
  EXPECT_EQ(Heading(graph, AnswerFor(graph, "112"), words), "112");
  EXPECT_EQ(Heading(graph, AnswerFor(graph, ""), words), "\"\"");
  EXPECT_EQ(Heading(graph, AnswerFor(graph, "12345"), words), "12345 (the field holds 1234)");
  EXPECT_EQ(Heading(graph, AnswerFor(graph, "\n5"), words), "\n5 (the field holds \"\")");
}

// The answer and the in-turn picture say what the buttons pressed in turn
// give in the same words.
TEST(ExploreAnswer, InTurnResultIsWordedOnceForTheAnswerAndThePicture) {
  PressGraph graph(U'.');
  const Words& words = WordsFor(Language::kEnglish);
  const Answer answer = AnswerFor(graph, "9");
  EXPECT_EQ(FirstWord(NumberPanel::kIncrease, words), "increase first");
  EXPECT_EQ(FirstWord(NumberPanel::kDecrease, WordsFor(Language::kBulgarian)), "първо намалява");
  EXPECT_EQ(InTurnResult(graph, answer.in_turn[0], words),
            "falls into the loop 9 → 18, never reaches 0");
  EXPECT_EQ(InTurnResult(graph, answer.in_turn[1], words), "reaches 0 in 1 press");
  const AnswerWords in_words = AnswerInWords(graph, answer, words);
  const Drawing drawing = InTurnDrawing(graph, answer, words);
  ASSERT_EQ(drawing.caption.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    const InTurnWalk& in_turn = answer.in_turn[i];
    const std::string first(FirstWord(in_turn.first, words));
    EXPECT_EQ(in_words.readings[i].reading, "in turn, " + first);
    EXPECT_EQ(in_words.readings[i].result, InTurnResult(graph, in_turn, words));
    EXPECT_EQ(drawing.caption[i + 1], first + ": " + InTurnResult(graph, in_turn, words));
  }
}

TEST(ExploreAnswer, TableCellsKeepTheirPlaceInTsvAndCsv) {
  PressGraph graph(U'.');
  const Words& words = WordsFor(Language::kBulgarian);
  const auto row = TableRow(graph, AnswerFor(graph, "112"), words);
  EXPECT_EQ(TsvLine(row), "112\tцикъл 108 → 117\tцикъл 108 → 117\t13\t12\n");
  EXPECT_EQ(CsvLine({"7,5", "a \"b\"", "1\t2"}), "\"7,5\",\"a \"\"b\"\"\",1\t2\r\n");
  EXPECT_EQ(TsvLine({"1\t2", "3\n"}), "1 2\t3 \n");
}

// The summary as lines, which the tool ends with line breaks and the page
// sets in a list and a CSV's cells: none before a start is added.
TEST(ExploreRange, SummaryIsALinePerReadingWithoutLineBreaks) {
  PressGraph graph(U'.');
  const Words& words = WordsFor(Language::kEnglish);
  RangeSummary summary;
  EXPECT_EQ(summary.Lines(words), std::vector<std::string>{});
  for (const char* start : {"1", "2", "3"}) summary.Add(graph, AnswerFor(graph, start));
  EXPECT_EQ(summary.Lines(words),
            (std::vector<std::string>{
                "1 to 3, in turn: 3 of 3 starts reach 0 increasing first, 3 decreasing first; "
                "no walk falls into a loop",
                "1 to 3, both buttons: 3 of 3 starts reach 0; the longest shortest path is 2 "
                "presses, from 1",
                "1 to 3, any order: 3 of 3 starts reach 0; the longest shortest path is 1 press, "
                "from 1"}));
}

}  // namespace
}  // namespace velmora::explore
