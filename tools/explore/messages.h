#pragma once
// velmora-explore's own texts, those of its command line: the --help text
// and the errors, in English or in Bulgarian as the locale says. The
// answers' words are the library's (explore/words.h), shared with the
// teachers' page.

#include <string_view>

#include "explore/words.h"

namespace velmora::explore {

struct Messages {
  std::string_view usage;     // the --help text
  std::string_view try_help;  // after a usage error
  std::string_view unknown_option, needs_value, not_whole, too_large, not_count, from_above_to,
      not_held_whole, one_task, graph_only, depth_in_turn, json_not_graph, nothing_to_do,
      too_many_texts, no_dot, dot_failed, cannot_write, standard_output;
};

// From LC_ALL, LC_MESSAGES or LANG, the first that is set, as a program
// that honours the user's locale picks its language.
//   "bg_BG.UTF-8" -> Bulgarian, "C" -> English, none set -> English
Language LocaleLanguage();

const Messages& MessagesFor(Language language);

}  // namespace velmora::explore
