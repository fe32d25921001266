#pragma once
// The words of the exercise's answers, in English and in Bulgarian: every
// text that velmora-explore and the teachers' page show about a start, a
// range or a picture comes from here, so that both say the same. Which
// language to use is the caller's choice (the tool follows the locale, the
// page the browser's language); nothing here reads either.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora::explore {

enum class Language { kEnglish, kBulgarian };

// Patterns hold "{}" where Fill() puts its arguments, in order.
struct Words {
  // The buttons, as a walk names each press: "112 → 116 (increase)".
  std::string_view increase, decrease;
  std::string_view field_holds;  // "12345 (the field holds 1234)"
  std::string_view is_zero;      // "0: is 0 already, no presses"
  // The readings: "in turn, increase first", "both buttons, each at least
  // once", "any order".
  std::string_view in_turn, increase_first, decrease_first, both_buttons, any_order;
  std::string_view reaches;     // "reaches 0 in 12 presses"
  std::string_view loops;       // "falls into the loop 108 → 117, never reaches 0"
  std::string_view never;       // any order: "never reaches 0"
  std::string_view never_both;  // both buttons: "never reaches 0 this way"
  // Once after the answers: what they mean for the exercise.
  std::string_view note;
  // A range's table: column names, and the cells that are no count of presses.
  std::string_view column_start, column_increase_first, column_decrease_first,
      column_both_buttons, column_any_order;
  std::string_view loop_cell, never_cell;
  // A range's summary, a line per reading.
  std::string_view in_turn_summary;  // "... starts reach 0 increasing first, ..."
  std::string_view loops_summary, one_loop_summary, no_loop_summary;
  std::string_view reach_summary, reach_summary_none;
  std::string_view both_buttons_short;  // both buttons in a summary, beside any_order
  // Captions of the pictures.
  std::string_view in_turn_caption, path_caption, never_caption, depth_caption;
  // A count of presses, one and more: "1 press", "12 presses".
  std::string_view press_one, press_many;

  std::string Presses(std::size_t n) const;  // press_one or press_many with n
};

const Words& WordsFor(Language language);

// The pattern with each "{}" replaced by the next argument.
//   Fill("{} of {}", {"3", "5"}) -> "3 of 5"
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args);

// `text` with its blanks turned into line breaks so that no line is wider
// than `width` characters (a longer word stands alone); width 0 keeps it
// one line. Line breaks already in `text` stay.
//   Wrapped("aa bb cc", 5) -> "aa bb\ncc"
std::string Wrapped(std::string_view text, std::size_t width);

}  // namespace velmora::explore
