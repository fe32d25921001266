#pragma once
// velmora-explore's own texts: Bulgarian under a Bulgarian locale, English
// otherwise. The graph's press labels are the window's words and stay
// Bulgarian (dot_graph.cpp).

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora::explore {

// Patterns hold "{}" where Fill() puts its arguments, in order.
struct Messages {
  bool bulgarian;
  std::string_view usage;     // the --help text
  std::string_view try_help;  // after a usage error
  std::string_view increase, decrease;
  std::string_view field_holds;  // "12345 (the field holds 1234)"
  std::string_view is_zero;      // "0: is 0 already, no presses"
  std::string_view reaches;      // "112: reaches 0 in 12 presses (40 texts searched)"
  std::string_view never;        // "...: never reaches 0 (all 1650 texts ... searched)"
  std::string_view table_header;  // tab-separated column names
  std::string_view none;          // the presses column when 0 is not reached
  std::string_view summary, summary_none;
  std::string_view path_caption, never_caption, depth_caption;
  std::string_view unknown_option, needs_value, not_whole, too_large, not_count, from_above_to,
      one_task, graph_only, json_not_graph, nothing_to_do, too_many_texts, no_dot, dot_failed,
      cannot_write, standard_output;

  std::string Presses(std::size_t n) const;  // "1 press", "12 presses"
  std::string Texts(std::size_t n) const;    // "1 text", "40 texts"
};

// The pattern with each "{}" replaced by the next argument.
//   Fill("{} of {}", {"3", "5"}) -> "3 of 5"
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args);

// From LC_ALL, LC_MESSAGES or LANG, the first that is set, as a program
// that honours the user's locale picks its language.
//   "bg_BG.UTF-8" -> Bulgarian, "C" -> English, none set -> English
bool BulgarianLocale();

const Messages& MessagesFor(bool bulgarian);

}  // namespace velmora::explore
