// velmora-explore as a process. Its answers are checked against the number
// panel pressed here: every walk is replayed press by press from the field
// text this test's tables give, and every count of presses is checked
// against distances to "0" that this test works out itself, backwards over
// all the texts the presses reach.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "panel/number_panel.h"
#include "version.h"

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;
using Texts = std::vector<std::string>;

struct Output {
  int status;
  std::string out, err;
};

std::string Quoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadAll(FILE* file) {
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

// Runs the tool with `env` (shell assignments) before it.
Output Explore(const Texts& args, const std::string& env = "LC_ALL=C.UTF-8",
               const std::string& redirect = "") {
  // One file per test process: ctest runs several at once.
  const std::string err_file =
      ::testing::TempDir() + "explore-stderr-" + std::to_string(getpid()) + ".txt";
  std::string command = env + " " + Quoted(VELMORA_EXPLORE);
  for (const std::string& arg : args) command += " " + Quoted(arg);
  command += " 2>" + Quoted(err_file) + redirect;
  FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr);
  Output output{0, ReadAll(pipe), ""};
  output.status = WEXITSTATUS(pclose(pipe));
  std::ifstream err(err_file);
  output.err.assign(std::istreambuf_iterator<char>(err), {});
  std::remove(err_file.c_str());
  return output;
}

Texts Lines(const std::string& out) {
  Texts lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const Texts& texts, const std::string& between) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : between) + text;
  return joined;
}

constexpr int kNever = 1 << 20;
constexpr int kBoth = 3;  // both buttons used: bit 0 increase, bit 1 decrease

// The panel's presses over every text they reach from some field texts.
// Each press is the window's: a panel loaded with the text (as from a
// layout, then OnLoad: the field keeps 4 characters) and pressed once.
class Presses {
 public:
  struct InTurn {
    Texts fields, loop;
    std::vector<int> presses;
  };

  Presses(char32_t separator, const Texts& fields) {
    for (const std::string& field : fields) Id(field);
    for (std::size_t i = 0; i < texts_.size(); ++i) {  // texts_ grows on the way
      for (std::int16_t button : {NumberPanel::kIncrease, NumberPanel::kDecrease}) {
        NumberPanel panel(separator);
        panel.Load(texts_[i]);
        panel.OnCommand(button);
        const int to = Id(std::string(panel.FieldText()));
        next_[i][static_cast<std::size_t>(button)] = to;
      }
    }
    // Fewest presses to "0", worked out backwards until nothing changes.
    const int zero = Id("0");
    any_.assign(texts_.size(), kNever);
    any_[static_cast<std::size_t>(zero)] = 0;
    both_.assign(texts_.size() * 4, kNever);
    for (bool changed = true; changed;) {
      changed = false;
      const auto lower = [&](int& to, int value) {
        if (value < to) to = value, changed = true;
      };
      for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (static_cast<int>(i) == zero) continue;
        for (int button : {0, 1}) {
          const auto to = static_cast<std::size_t>(next_[i][static_cast<std::size_t>(button)]);
          lower(any_[i], std::min(kNever, 1 + any_[to]));
          for (int used = 0; used < 4; ++used) {
            const int now_used = used | (1 << button);
            const int rest = static_cast<int>(to) == zero ? (now_used == kBoth ? 0 : kNever)
                                                          : both_[to * 4 + std::size_t(now_used)];
            lower(both_[i * 4 + std::size_t(used)], std::min(kNever, 1 + rest));
          }
        }
      }
    }
  }

  std::string Press(const std::string& text, int button) const {
    return texts_[static_cast<std::size_t>(next_[Find(text)][static_cast<std::size_t>(button)])];
  }
  // Fewest presses from `text` to "0", in any order or, with `used` the
  // buttons pressed so far, using each button.
  int ToZero(const std::string& text) const { return any_[Find(text)]; }
  int WithBoth(const std::string& text, int used) const {
    if (text == "0") return used == kBoth ? 0 : kNever;
    return both_[Find(text) * 4 + static_cast<std::size_t>(used)];
  }

  // The buttons in turn, `first` first, until "0" or a (text, button next)
  // that came before.
  InTurn WalkInTurn(const std::string& start, int first) const {
    InTurn walk{{start}, {}, {}};
    std::vector<std::pair<std::string, int>> before;
    for (int button = first; walk.fields.back() != "0"; button = 1 - button) {
      const auto again = std::find(before.begin(), before.end(), std::pair(walk.fields.back(), button));
      if (again != before.end()) {
        walk.loop.assign(walk.fields.begin() + (again - before.begin()), walk.fields.end() - 1);
        break;
      }
      before.emplace_back(walk.fields.back(), button);
      walk.presses.push_back(button);
      walk.fields.push_back(Press(walk.fields.back(), button));
    }
    return walk;
  }

 private:
  int Id(const std::string& text) {
    const auto [it, added] = ids_.try_emplace(text, static_cast<int>(texts_.size()));
    if (added) texts_.push_back(text), next_.push_back({-1, -1});
    return it->second;
  }
  std::size_t Find(const std::string& text) const { return static_cast<std::size_t>(ids_.at(text)); }

  Texts texts_;
  std::map<std::string, int> ids_;
  std::vector<std::array<int, 2>> next_;
  std::vector<int> any_, both_;
};

// A shortest walk of the tool's JSON: each press gives the next field, "0"
// comes at the end only, no walk is shorter, and a decrease stands only
// where an increase would not reach the end as soon.
void ExpectShortest(const Presses& presses, const Json& walk, bool both) {
  const Texts fields = walk["fields"];
  const std::vector<int> pressed = walk["presses"];
  const bool reached = walk["reachable"];
  ASSERT_TRUE(!reached || fields.size() == pressed.size() + 1);
  const auto left = [&](const std::string& text, int used) {
    return both ? presses.WithBoth(text, used) : presses.ToZero(text);
  };
  if (!reached) {
    EXPECT_EQ(fields.size(), 1u);
    EXPECT_EQ(left(fields[0], 0), kNever);
    return;
  }
  EXPECT_EQ(fields.back(), "0");
  if (fields[0] == "0") return;
  EXPECT_EQ(static_cast<int>(pressed.size()), left(fields[0], 0));
  int used = 0;
  for (std::size_t i = 0; i < pressed.size(); ++i) {
    if (i + 1 < fields.size() - 1) {
      EXPECT_NE(fields[i + 1], "0") << "press " << i;
    }
    EXPECT_EQ(presses.Press(fields[i], pressed[i]), fields[i + 1]) << "press " << i;
    if (pressed[i] == NumberPanel::kDecrease) {
      const int after_increase = left(presses.Press(fields[i], 0), used | 1);
      EXPECT_GT(after_increase, static_cast<int>(pressed.size() - i - 1)) << "press " << i;
    }
    used |= 1 << pressed[i];
  }
  if (both) {
    EXPECT_EQ(used, kBoth);
  }
}

// A table's row name, from its `name`.
template <class Row>
std::string CaseName(const ::testing::TestParamInfo<Row>& row) {
  return row.param.name;
}

struct Start {
  const char* name;
  const char* typed;
  char32_t separator;
  const char* field;  // what the field holds once the start is typed
  Texts increase_first, decrease_first;  // in turn: to "0" or the repeat
  int both, any;  // presses to "0", kNever for never
};

void PrintTo(const Start& s, std::ostream* out) { *out << s.name; }

class Readings : public ::testing::TestWithParam<Start> {};

TEST_P(Readings, AreThePanelsOwnPresses) {
  const Start& s = GetParam();
  Texts args = {"--json", "--", s.typed};
  if (s.separator == U',') args.insert(args.begin(), "--comma");
  const Output run = Explore(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const Json line = Json::parse(run.out);
  const Presses presses(s.separator, {s.field});
  EXPECT_EQ(line["start"], s.typed);
  for (int first : {0, 1}) {
    const Json& in_turn = line["inTurn"][static_cast<std::size_t>(first)];
    const Presses::InTurn walk = presses.WalkInTurn(s.field, first);
    EXPECT_EQ(in_turn["first"], first);
    EXPECT_EQ(in_turn["fields"].get<Texts>(), first == 0 ? s.increase_first : s.decrease_first);
    EXPECT_EQ(in_turn["fields"].get<Texts>(), walk.fields);
    EXPECT_EQ(in_turn["presses"].get<std::vector<int>>(), walk.presses);
    EXPECT_EQ(in_turn["reachable"], walk.fields.back() == "0");
    EXPECT_EQ(in_turn.value("loop", Texts{}), walk.loop);
  }
  EXPECT_EQ(line["bothButtons"]["fields"][0], s.field);
  EXPECT_EQ(line["fields"][0], s.field);
  const auto count = [](const Json& walk) {
    return walk["reachable"].get<bool>() ? static_cast<int>(walk["presses"].size()) : kNever;
  };
  EXPECT_EQ(count(line["bothButtons"]), s.both);
  EXPECT_EQ(count(line), s.any);
  ExpectShortest(presses, line["bothButtons"], true);
  ExpectShortest(presses, line, false);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, Readings,
    ::testing::Values(
        Start{"TheWindowsOwn", "112", U'.', "112", {"112", "116", "108", "117", "108"},
              {"112", "108", "117", "108"}, 13, 12},
        Start{"OnePressAway", "9", U'.', "9", {"9", "18", "9"}, {"9", "0"}, 3, 1},
        Start{"InTurnFromEitherButton", "3", U'.', "3", {"3", "6", "0"}, {"3", "0"}, 2, 1},
        Start{"ALoopEitherWay", "18", U'.', "18", {"18", "27", "18"}, {"18", "9", "18"}, 4, 2},
        Start{"LongestShortest", "4823", U'.', "4823", {"4823", "4840", "4824", "4842", "4824"},
              {"4823", "4806", "4824", "4806"}, 345, 345},
        Start{"ThroughACut", "9999", U'.', "9999", {"9999", "1003", "999", "1026", "1017", "1026"},
              {"9999", "9963", "9990", "9963"}, 82, 82},
        Start{"LongerThanTheField", "12345", U'.', "1234", {"1234", "1244", "1233", "1242", "1233"},
              {"1234", "1224", "1233", "1224"}, 104, 103},
        Start{"Empty", "", U'.', "", {"", "0"}, {"", "0"}, kNever, 1},
        Start{"NotANumber", "abc", U'.', "abc", {"abc", "0"}, {"abc", "0"}, kNever, 1},
        Start{"Hexadecimal", "&HFF", U'.', "&HFF", {"&HFF", "255", "243", "252", "243"},
              {"&HFF", "255", "267", "252", "261", "252"}, 27, 27},
        Start{"DecimalPoint", "1.5", U'.', "1.5", {"1.5", "7.5", "-4.5", "4.5", "-4.5"},
              {"1.5", "-4.5", "4.5", "-4.5"}, 4, 4},
        Start{"DecimalComma", "1.5", U',', "1.5", {"1.5", "7,5", "-5", "0"},
              {"1.5", "-4,5", "5", "0"}, 3, 3}),
    CaseName<Start>);

struct LoopCase {
  const char* name;
  const char* start;
  int first;
  Texts fields, loop;
};

void PrintTo(const LoopCase& c, std::ostream* out) { *out << c.name; }

class InTurnLoop : public ::testing::TestWithParam<LoopCase> {};

TEST_P(InTurnLoop, BeginsAtTheFirstTextThatComesBackWithTheSameButtonNext) {
  const LoopCase& c = GetParam();
  const Output run = Explore({"--json", c.start});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json in_turn = Json::parse(run.out)["inTurn"][static_cast<std::size_t>(c.first)];
  EXPECT_EQ(in_turn["reachable"], false);
  EXPECT_EQ(in_turn["fields"].get<Texts>(), c.fields);
  EXPECT_EQ(in_turn["loop"].get<Texts>(), c.loop);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, InTurnLoop,
    ::testing::Values(
        LoopCase{"AfterTwoPresses", "112", 0, {"112", "116", "108", "117", "108"}, {"108", "117"}},
        LoopCase{"AtTheStart", "108", 0, {"108", "117", "108"}, {"108", "117"}},
        // 108 comes back with increase next, not decrease: no repeat yet.
        LoopCase{"NotWhereTheStartComesBack", "108", 1, {"108", "99", "117", "108", "117"},
                 {"117", "108"}},
        LoopCase{"AfterTheStartCameBack", "90", 0, {"90", "99", "81", "90", "81"}, {"81", "90"}}),
    CaseName<LoopCase>);

TEST(ExploreJson, OneLinePerStartInOrderWithItsKeys) {
  const Texts starts = {"112", "0", "12345", "112", ""};
  const Output run = Explore({"--json", "112", "0", "12345", "112", ""});
  ASSERT_EQ(run.status, 0) << run.err;
  const Texts lines = Lines(run.out);
  ASSERT_EQ(lines.size(), starts.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Json line = Json::parse(lines[i]);
    Texts keys;
    for (const auto& item : line.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (Texts{"start", "reachable", "presses", "fields", "bothButtons", "inTurn"}));
    EXPECT_EQ(line["start"], starts[i]);
    EXPECT_EQ(line["inTurn"].size(), 2u);
  }
  const Json zero = Json::parse(lines[1]);
  EXPECT_EQ(zero["presses"], Json::array());
  EXPECT_EQ(zero["fields"], Json::array({"0"}));
  EXPECT_EQ(zero["inTurn"][1], Json::parse(R"({"first":1,"reachable":true,"presses":[],"fields":["0"]})"));
}

// The table and the summary of 1 to 9999, row by row from this test's own
// presses; and what the note after an answer says about them.
TEST(ExploreAll, EveryWholeNumberTheFieldHoldsAgreesWithThePanel) {
  const Output run = Explore({"--all", "1", "9999"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Texts lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1 + 9999 + 1 + 3u);
  EXPECT_EQ(lines[0], "start\tin turn, increase first\tin turn, decrease first\tboth buttons\tany order");
  Texts starts;
  for (int n = 1; n <= 9999; ++n) starts.push_back(std::to_string(n));
  const Presses presses(U'.', starts);
  std::array<int, 2> in_turn_reached{0, 0};
  int largest_reached_in_turn = 0;
  std::set<std::set<std::pair<std::string, int>>> loops;
  Texts longest_loop;
  struct Longest {
    int reached = 0, presses = -1;
    std::string from;
  } both, any;
  const auto count = [](Longest& longest, int presses_to_zero, const std::string& start) {
    if (presses_to_zero >= kNever) return std::string("never");
    ++longest.reached;
    if (presses_to_zero > longest.presses) longest.presses = presses_to_zero, longest.from = start;
    return std::to_string(presses_to_zero);
  };
  for (const std::string& start : starts) {
    std::string row = start;
    for (int first : {0, 1}) {
      const Presses::InTurn walk = presses.WalkInTurn(start, first);
      if (walk.loop.empty()) {
        ++in_turn_reached[static_cast<std::size_t>(first)];
        largest_reached_in_turn = std::stoi(start);
        row += "\t" + std::to_string(walk.presses.size());
        continue;
      }
      std::set<std::pair<std::string, int>> loop;  // (text, button next), wherever entered
      const std::size_t from = walk.fields.size() - 1 - walk.loop.size();
      for (std::size_t i = 0; i < walk.loop.size(); ++i) loop.insert({walk.loop[i], walk.presses[from + i]});
      if (loops.insert(loop).second && walk.loop.size() > longest_loop.size()) longest_loop = walk.loop;
      row += "\tloop " + Joined(walk.loop, " → ");
    }
    row += "\t" + count(both, presses.WithBoth(start, 0), start);
    row += "\t" + count(any, presses.ToZero(start), start);
    ASSERT_EQ(lines[std::stoul(start)], row);
  }
  EXPECT_EQ(lines[10000], "");
  EXPECT_EQ(lines[10001], "1 to 9999, in turn: " + std::to_string(in_turn_reached[0]) +
                              " of 9999 starts reach 0 increasing first, " +
                              std::to_string(in_turn_reached[1]) +
                              " decreasing first; every other walk falls into one of " +
                              std::to_string(loops.size()) + " different loops, the longest " +
                              Joined(longest_loop, " → "));
  for (const auto& [reading, longest, line] :
       {std::tuple("both buttons", both, lines[10002]), std::tuple("any order", any, lines[10003])})
    EXPECT_EQ(line, "1 to 9999, " + std::string(reading) + ": " + std::to_string(longest.reached) +
                        " of 9999 starts reach 0; the longest shortest path is " +
                        std::to_string(longest.presses) + " presses, from " + longest.from);

  // The note: in turn only a few small numbers reach 0, both buttons bring
  // every one there, and so does decrease alone.
  EXPECT_LE(largest_reached_in_turn, 9);
  EXPECT_EQ(both.reached, 9999);
  std::vector<bool> down_to_zero(10000, false);
  down_to_zero[0] = true;
  for (int n = 1; n <= 9999; ++n) {
    const int decreased = std::stoi(presses.Press(std::to_string(n), NumberPanel::kDecrease));
    ASSERT_TRUE(decreased >= 0 && decreased < n && decreased % 9 == 0) << n;
    down_to_zero[static_cast<std::size_t>(n)] = down_to_zero[static_cast<std::size_t>(decreased)];
  }
  EXPECT_EQ(std::count(down_to_zero.begin(), down_to_zero.end(), true), 10000);
}

// Every "$ build/tools/explore/velmora-explore ..." example in the README,
// with the lines that follow it, is what the tool prints now.
TEST(ExploreReadme, ExamplesAreWhatTheToolPrints) {
  std::ifstream readme(VELMORA_SOURCE_DIR "/README.md");
  const Texts lines = Lines(std::string(std::istreambuf_iterator<char>(readme), {}));
  const std::string prompt = "    $ build/tools/explore/velmora-explore ";
  int examples = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with(prompt)) continue;
    std::istringstream command(lines[i].substr(prompt.size()));
    Texts args;
    std::size_t tail = 0;
    for (std::string word; command >> word;) {
      if (word == "|") {  // "| tail -n N"
        command >> word >> word >> tail;
        break;
      }
      args.push_back(word);
    }
    Texts shown;
    for (std::size_t j = i + 1; j < lines.size() && !lines[j].starts_with("    $ ") &&
                                (lines[j].empty() || lines[j].starts_with("    "));
         ++j)
      shown.push_back(lines[j].empty() ? "" : lines[j].substr(4));
    while (!shown.empty() && shown.back().empty()) shown.pop_back();
    Texts printed = Lines(Explore(args).out);
    if (tail > 0) printed.erase(printed.begin(), printed.end() - static_cast<long>(tail));
    EXPECT_EQ(Joined(shown, "\n"), Joined(printed, "\n")) << lines[i];
    ++examples;
  }
  EXPECT_GE(examples, 3);
}

bool HaveDot() { return std::system("command -v dot >/dev/null 2>&1") == 0; }

struct DotGraph {
  std::map<std::string, std::string> text;  // node -> its field text
  std::set<std::tuple<std::string, int, std::string, bool>> edges;  // from, press, to, bold
  std::set<std::string> loop;  // texts filled as a loop's
};

// The DOT the tool writes, read back; dot must accept it.
DotGraph ReadDot(const Texts& args) {
  const std::string file = ::testing::TempDir() + "explore-" + std::to_string(getpid()) + ".dot";
  Texts with_file = args;
  with_file.insert(with_file.end(), {"--output", file});
  EXPECT_EQ(Explore(with_file).status, 0);
  if (HaveDot()) {
    EXPECT_EQ(std::system(("dot -Tsvg " + Quoted(file) + " >/dev/null").c_str()), 0);
  }
  std::ifstream in(file);
  const std::regex node(R"re(^  (n\d+) \[label="([^"]*)".*fillcolor="([^"]*)".*)re");
  const std::regex edge(R"re(^  (n\d+) -> (n\d+) \[label=" (\S+) "(, style=bold)?.*)re");
  DotGraph graph;
  std::smatch m;
  for (std::string line; std::getline(in, line);) {
    if (std::regex_match(line, m, node)) {
      graph.text[m[1]] = m[2];
      if (m[3] == "#fde0b0") graph.loop.insert(m[2]);
    }
    if (!std::regex_match(line, m, edge)) continue;
    EXPECT_TRUE(m[3] == "increase" || m[3] == "decrease") << line;
    graph.edges.insert({graph.text.at(m[1]), m[3] == "increase" ? 0 : 1, graph.text.at(m[2]),
                        m[4].matched});
  }
  std::remove(file.c_str());
  return graph;
}

TEST(ExploreGraph, TheSearchDrawsEveryPressBetweenItsTextsAndTheShortestInBold) {
  const DotGraph graph = ReadDot({"--graph", "112"});
  const Presses presses(U'.', {"112"});
  std::set<std::string> texts;
  for (const auto& [id, text] : graph.text) texts.insert(text);
  EXPECT_EQ(texts.size(), 40u);  // the texts met before "0" had its turn
  std::map<std::string, std::string> bold_next;
  std::size_t edges = 0;
  for (const std::string& from : texts) {
    for (int button : {0, 1}) {
      const std::string to = presses.Press(from, button);
      if (from == "0" || texts.count(to) == 0) continue;
      ++edges;
      const bool bold = graph.edges.count({from, button, to, true}) > 0;
      EXPECT_TRUE(bold || graph.edges.count({from, button, to, false}) > 0) << from << button;
      if (bold) bold_next[from] = to;
    }
  }
  EXPECT_EQ(graph.edges.size(), edges);
  std::string at = "112";
  int steps = 0;
  for (; bold_next.count(at) > 0 && steps <= 40; ++steps) at = bold_next[at];
  EXPECT_EQ(at, "0");
  EXPECT_EQ(steps, presses.ToZero("112"));
}

TEST(ExploreGraph, InTurnDrawsBothWalksAndTheirLoopInBold) {
  const DotGraph graph = ReadDot({"--graph", "112", "--in-turn"});
  const Presses presses(U'.', {"112"});
  std::set<std::tuple<std::string, int, std::string, bool>> walked;
  for (int first : {0, 1}) {
    const Presses::InTurn walk = presses.WalkInTurn("112", first);
    const std::size_t loop_from = walk.fields.size() - 1 - walk.loop.size();
    for (std::size_t i = 0; i < walk.presses.size(); ++i)
      walked.insert({walk.fields[i], walk.presses[i], walk.fields[i + 1], i >= loop_from});
  }
  EXPECT_EQ(graph.edges, walked);
  EXPECT_EQ(graph.loop, (std::set<std::string>{"108", "117"}));
}

TEST(ExploreGraph, SvgThroughDotOrAClearMessageWithoutIt) {
  const Output without = Explore({"--graph", "112", "--svg"}, "LC_ALL=C.UTF-8 PATH=/nonexistent");
  EXPECT_EQ(without.status, 1);
  EXPECT_NE(without.err.find("graphviz"), std::string::npos) << without.err;
  if (!HaveDot()) GTEST_SKIP() << "Graphviz (dot) is not installed";
  const Output with = Explore({"--graph", "112", "--svg"});
  EXPECT_EQ(with.status, 0) << with.err;
  EXPECT_NE(with.out.find("<svg"), std::string::npos);
}

struct BadRun {
  const char* name;
  Texts args;
  int status;
  const char* says;  // part of the message
};

void PrintTo(const BadRun& bad, std::ostream* out) { *out << bad.name; }

class BadInput : public ::testing::TestWithParam<BadRun> {};

TEST_P(BadInput, GetsAClearErrorAndNoOutput) {
  const BadRun& bad = GetParam();
  const Output run = Explore(bad.args);
  EXPECT_EQ(run.status, bad.status);
  EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BadInput,
    ::testing::Values(
        BadRun{"UnknownOption", {"--frob", "112"}, 2, "unknown option --frob"},
        BadRun{"BoundNotANumber", {"--all", "1", "x"}, 2, "\"x\" is not a whole number"},
        BadRun{"BoundNotWhole", {"--all", "1.5", "3"}, 2, "\"1.5\" is not a whole number"},
        BadRun{"BoundBeyond64Bits", {"--all", "1", "99999999999999999999"}, 2, "too large"},
        // The field would hold 10000 as 1000 and -1000 as -100: starts of their own.
        BadRun{"BoundPastTheField", {"--all", "9998", "10000"}, 2, "10000 has more than the 4"},
        BadRun{"BoundBelowTheField", {"--all", "-1000", "5"}, 2, "-1000 has more than the 4"},
        BadRun{"FromAboveTo", {"--all", "9", "1"}, 2, "FROM 9 is greater than TO 1"},
        BadRun{"BoundMissing", {"--all", "1"}, 2, "--all is missing"},
        BadRun{"NothingToDo", {}, 2, "nothing to do"},
        BadRun{"DepthWithoutGraph", {"--depth", "3", "112"}, 2, "--depth goes with --graph"},
        BadRun{"InTurnWithoutGraph", {"--in-turn", "112"}, 2, "--in-turn goes with --graph"},
        BadRun{"InTurnWithDepth", {"--graph", "1", "--in-turn", "--depth", "2"}, 2,
               "--depth does not go with --in-turn"},
        BadRun{"TooManyToDraw", {"--graph", "112", "--depth", "1000"}, 1, "more than 300"},
        BadRun{"OutputNotWritable", {"--graph", "1", "--output", "/nonexistent/g.dot"}, 1,
               "/nonexistent/g.dot"}),
    CaseName<BadRun>);

TEST(Explore, AFullOutputIsAnErrorNotASuccess) {
  const Output run = Explore({"--all", "1", "9999"}, "LC_ALL=C.UTF-8", " >/dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
}

TEST(Explore, VersionIsThePrograms) {
  const Output run = Explore({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "velmora-explore (Velmora) " VELMORA_PRODUCT_VERSION "\n");
}

struct Locale {
  const char* name;
  const char* env;
  Texts args;
  const char* says;
  bool cyrillic;  // whether the output has Cyrillic letters at all
};

void PrintTo(const Locale& locale, std::ostream* out) { *out << locale.env; }

class Language : public ::testing::TestWithParam<Locale> {};

// One language at a time: the answers, the table and the pictures, words
// and labels alike.
TEST_P(Language, FollowsTheLocale) {
  const Locale& l = GetParam();
  const Output run = Explore(l.args, l.env);
  EXPECT_NE(run.out.find(l.says), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find_first_of("\xD0\xD1") != std::string::npos, l.cyrillic) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Language,
    ::testing::Values(
        Locale{"C", "LC_ALL=C.UTF-8", {"9"}, "9 → 0 (decrease)", false},
        Locale{"Bulgarian", "LC_ALL=bg_BG.UTF-8", {"9"}, "9 → 0 (намалява)", true},
        Locale{"LangAlone", "LC_ALL= LC_MESSAGES= LANG=bg_BG.UTF-8", {"9"}, "намалява", true},
        Locale{"MessagesFirst", "LC_ALL= LC_MESSAGES=C LANG=bg_BG.UTF-8", {"9"}, "decrease", false},
        Locale{"PictureInEnglish", "LC_ALL=C.UTF-8", {"--graph", "112", "--in-turn"},
               "112, pressed in turn", false},
        Locale{"PictureInBulgarian", "LC_ALL=bg_BG.UTF-8", {"--graph", "112"}, " намалява ", true},
        Locale{"TableInEnglish", "LC_ALL=C.UTF-8", {"--all", "1", "20"}, "loop 9 → 18", false}),
    CaseName<Locale>);

}  // namespace
}  // namespace velmora
