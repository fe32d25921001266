#pragma once
// velmora-explore's command line.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/explore/messages.h"

namespace velmora::explore {

struct Failure {  // what ends the run, with its exit status
  std::string message;
  int status;
};

// One task: START texts, --all or --graph, with the options that go with it.
struct Options {
  bool comma = false, json = false, svg = false, in_turn = false, help = false, version = false;
  std::vector<std::string> starts;
  std::optional<std::pair<long long, long long>> all;
  std::optional<std::string> graph;
  std::optional<std::size_t> depth;
  std::optional<std::string> output;
};

// The options in `args` (the program's arguments after its name); a usage
// error raises Failure with status 2, its message in the user's language.
//   {"112", "abc"}            -> starts {"112", "abc"}
//   {"--all", "1", "9999"}    -> all {1, 9999}
//   {"--", "--x"}             -> starts {"--x"}
//   {"--all", "9", "1"}       -> Failure "--all: FROM 9 is greater than TO 1"
//   {"--all", "1", "10000"}   -> Failure "--all: 10000 has more than the 4
//                                characters the field holds; ..."
//   {"--graph", "112", "--in-turn"} -> graph "112", in_turn
Options ParseOptions(const Messages& m, const std::vector<std::string>& args);

}  // namespace velmora::explore
