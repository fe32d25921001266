// velmora-explore as a process. Every path it prints is replayed here on a
// NumberPanel, press by press, and its length checked against a plain
// breadth-first walk of the panel's presses.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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
#include "tools/explore/press_graph.h"

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

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
Output Explore(const std::vector<std::string>& args, const std::string& env = "LC_ALL=C.UTF-8",
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

std::vector<Json> JsonLines(const std::string& out) {
  std::vector<Json> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(Json::parse(line));
  return lines;
}

std::string Press(const std::string& text, std::int16_t button, char32_t separator) {
  NumberPanel panel(separator);
  panel.StartWith(text);
  panel.OnCommand(button);
  return std::string(panel.FieldText());
}

// Fewest presses from the field text `text` to "0", level by level; -1 if
// the presses never lead there.
int PressesToZero(const std::string& text, char32_t separator) {
  std::set<std::string> seen{text};
  std::vector<std::string> level{text};
  for (int presses = 0; !level.empty(); ++presses) {
    std::vector<std::string> next;
    for (const std::string& t : level) {
      if (t == "0") return presses;
      for (std::int16_t button : explore::kPresses)
        if (const std::string to = Press(t, button, separator); seen.insert(to).second)
          next.push_back(to);
    }
    level = std::move(next);
  }
  return -1;
}

// A table's row name, from its `name`.
template <class Row>
std::string CaseName(const ::testing::TestParamInfo<Row>& row) {
  return row.param.name;
}

struct Start {
  const char* name;
  const char* text;
  char32_t separator;
  int presses;       // -1: whatever is shortest
  bool through_cut;  // a press on the way writes more than 4 characters
};

void PrintTo(const Start& s, std::ostream* out) {
  *out << '"' << s.text << (s.separator == U',' ? "\" comma" : "\" point");
}

class ShortestPath : public ::testing::TestWithParam<Start> {};

TEST_P(ShortestPath, IsThePanelsOwnPressesAndIncreasesFirstOnATie) {
  const Start& s = GetParam();
  std::vector<std::string> args = {"--json", s.text};
  if (s.separator == U',') args.insert(args.begin(), "--comma");
  const Output run = Explore(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const Json line = JsonLines(run.out).at(0);
  ASSERT_TRUE(line["reachable"].get<bool>());
  const std::vector<int> presses = line["presses"];
  const std::vector<std::string> fields = line["fields"];
  ASSERT_EQ(fields.size(), presses.size() + 1);

  // The window, typed into once and then pressed, shows each field in turn.
  NumberPanel panel(s.separator);
  panel.StartWith(s.text);
  EXPECT_EQ(panel.FieldText(), fields[0]);
  bool cut = false;
  for (std::size_t i = 0; i < presses.size(); ++i) {
    NumberPanel uncut(s.separator);  // no OnLoad: no limit
    uncut.Insert(Selection::All(), panel.FieldText());
    uncut.OnCommand(static_cast<std::int16_t>(presses[i]));
    panel.OnCommand(static_cast<std::int16_t>(presses[i]));
    ASSERT_EQ(panel.FieldText(), fields[i + 1]) << "press " << i;
    cut = cut || uncut.FieldText() != panel.FieldText();
    // A decrease only where an increase leads to 0 no sooner.
    const int left = static_cast<int>(presses.size() - i - 1);
    if (presses[i] == NumberPanel::kDecrease) {
      const int by_increase = PressesToZero(Press(fields[i], NumberPanel::kIncrease, s.separator),
                                            s.separator);
      EXPECT_TRUE(by_increase < 0 || by_increase > left) << "press " << i;
    }
  }
  EXPECT_EQ(fields.back(), "0");
  EXPECT_EQ(static_cast<int>(presses.size()), PressesToZero(fields[0], s.separator));
  if (s.presses >= 0) {
    EXPECT_EQ(static_cast<int>(presses.size()), s.presses);
  }
  EXPECT_EQ(cut, s.through_cut);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, ShortestPath,
    ::testing::Values(Start{"Zero", "0", U'.', 0, false},
                      Start{"OnePressAway", "9", U'.', 1, false},  // 9 - 9
                      Start{"ThroughACut", "9999", U'.', -1, true},  // 10035 -> 1003
                      Start{"LongerThanTheField", "12345", U'.', -1, false},
                      Start{"NotANumber", "abc", U'.', 1, false},  // reads as 0
                      Start{"Hexadecimal", "&HFF", U'.', -1, false},
                      Start{"Negative", "-999", U'.', -1, true},
                      Start{"DecimalComma", "1.5", U',', -1, false}),
    CaseName<Start>);

TEST(ExploreJson, OneLinePerStartInOrderWithTheFourFields) {
  const std::vector<std::string> starts = {"112", "0", "12345", "112", ""};
  const Output run = Explore({"--json", "112", "0", "12345", "112", ""});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<Json> lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), starts.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Json& line = lines[i];
    std::vector<std::string> keys;
    for (const auto& item : line.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"start", "reachable", "presses", "fields"}));
    EXPECT_EQ(line["start"], starts[i]);
    EXPECT_TRUE(line["reachable"].is_boolean());
    for (const Json& press : line["presses"]) EXPECT_TRUE(press == 0 || press == 1) << press;
    for (const Json& field : line["fields"]) EXPECT_TRUE(field.is_string());
  }
  EXPECT_EQ(lines[1]["presses"], Json::array());
  EXPECT_EQ(lines[1]["fields"], Json::array({"0"}));
  EXPECT_EQ(lines[2]["fields"][0], "1234");
}

TEST(ExploreAll, TabulatesEachWholeNumberThenSumsUp) {
  const Output run = Explore({"--all", "-12", "12"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream in(run.out);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "start\tpresses\tsearched");
  int longest = -1, reached = 0;
  std::string longest_start;
  for (int n = -12; n <= 12; ++n) {
    std::getline(in, line);
    const int presses = PressesToZero(std::to_string(n), U'.');
    EXPECT_EQ(line.substr(0, line.rfind('\t')), std::to_string(n) + "\t" + std::to_string(presses));
    reached += presses >= 0;
    if (presses > longest) longest = presses, longest_start = std::to_string(n);
  }
  std::getline(in, line);
  EXPECT_EQ(line, "");
  std::getline(in, line);
  EXPECT_EQ(line, "-12 to 12: " + std::to_string(reached) +
                      " of 25 starts reach 0; the longest shortest path is " +
                      std::to_string(longest) + " presses, from " + longest_start);
}

bool HaveDot() { return std::system("command -v dot >/dev/null 2>&1") == 0; }

TEST(ExploreGraph, DotAcceptsItAndEveryEdgeIsAPress) {
  if (!HaveDot()) GTEST_SKIP() << "Graphviz (dot) is not installed";
  const std::string file =
      ::testing::TempDir() + "explore-112-" + std::to_string(getpid()) + ".dot";
  ASSERT_EQ(Explore({"--graph", "112", "--output", file}).status, 0);
  EXPECT_EQ(std::system(("dot -Tsvg " + Quoted(file) + " >/dev/null").c_str()), 0);

  std::ifstream in(file);
  const std::regex node(R"re(^  t(\d+) \[label="([^"]*)".*)re");
  const std::regex edge(R"re(^  t(\d+) -> t(\d+) \[label="(\S+)"(, style=bold)?.*)re");
  std::map<std::string, std::string> text;  // node -> its field text
  std::map<std::string, std::string> bold_next;
  std::set<std::pair<std::string, std::int16_t>> drawn;  // node, press
  std::smatch m;
  for (std::string line; std::getline(in, line);) {
    if (std::regex_match(line, m, node)) text[m[1]] = m[2];
    if (!std::regex_match(line, m, edge)) continue;
    ASSERT_TRUE(m[3] == "увеличава" || m[3] == "намалява") << line;
    const auto button = m[3] == "увеличава" ? NumberPanel::kIncrease : NumberPanel::kDecrease;
    EXPECT_EQ(Press(text.at(m[1]), button, U'.'), text.at(m[2])) << line;
    drawn.insert({m[1], button});
    if (m[4].matched) bold_next[m[1]] = m[2];
  }
  EXPECT_EQ(text.size(), 40u);  // the texts met before "0" has its turn
  // Every press from a text (but "0") to a drawn text is drawn.
  std::set<std::string> texts;
  for (const auto& [id, t] : text) texts.insert(t);
  for (const auto& [id, t] : text) {
    for (std::int16_t button : explore::kPresses) {
      if (t != "0" && texts.count(Press(t, button, U'.')) > 0) {
        EXPECT_EQ(drawn.count({id, button}), 1u) << t << " press " << button;
      }
    }
  }
  // The bold edges lead from the start to "0", as few as can.
  std::string at;
  for (const auto& [id, t] : text)
    if (t == "112") at = id;
  std::size_t steps = 0;
  for (; bold_next.count(at) > 0 && steps <= text.size(); ++steps) at = bold_next[at];
  EXPECT_EQ(text[at], "0");
  EXPECT_EQ(static_cast<int>(steps), PressesToZero("112", U'.'));
  std::remove(file.c_str());
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
  std::vector<std::string> args;
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
        BadRun{"FromAboveTo", {"--all", "9", "1"}, 2, "FROM 9 is greater than TO 1"},
        BadRun{"BoundMissing", {"--all", "1"}, 2, "--all is missing"},
        BadRun{"NothingToDo", {}, 2, "nothing to do"},
        BadRun{"DepthWithoutGraph", {"--depth", "3", "112"}, 2, "--depth goes with --graph"},
        BadRun{"TooManyToDraw", {"--graph", "112", "--depth", "1000"}, 1, "more than 300"},
        BadRun{"OutputNotWritable", {"--graph", "1", "--output", "/nonexistent/g.dot"}, 1,
               "/nonexistent/g.dot"}),
    CaseName<BadRun>);

TEST(Explore, AFullOutputIsAnErrorNotASuccess) {
  const Output run = Explore({"--all", "1", "9999"}, "LC_ALL=C.UTF-8", " >/dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
}

struct Locale {
  const char* name;
  const char* env;
  const char* says;
};

void PrintTo(const Locale& locale, std::ostream* out) { *out << locale.env; }

class Language : public ::testing::TestWithParam<Locale> {};

TEST_P(Language, FollowsTheLocale) {
  const Output run = Explore({"9"}, GetParam().env);
  EXPECT_NE(run.out.find(GetParam().says), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Language,
    ::testing::Values(Locale{"C", "LC_ALL=C.UTF-8", "9 → 0 (decrease)"},
                      Locale{"Bulgarian", "LC_ALL=bg_BG.UTF-8", "9 → 0 (намалява)"},
                      Locale{"LangAlone", "LC_ALL= LC_MESSAGES= LANG=bg_BG.UTF-8", "намалява"},
                      Locale{"MessagesFirst", "LC_ALL= LC_MESSAGES=C LANG=bg_BG.UTF-8",
                             "decrease"}),
    CaseName<Locale>);

}  // namespace
}  // namespace velmora
