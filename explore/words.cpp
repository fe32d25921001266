#include "explore/words.h"

#include "numbers/utf8.h"

namespace velmora::explore {
namespace {

constexpr Words kEnglish{
    .increase = "increase",
    .decrease = "decrease",
    .field_holds = "{} (the field holds {})",
    .is_zero = "{}: is 0 already, no presses",
    .in_turn = "in turn, {}",
    .increase_first = "increase first",
    .decrease_first = "decrease first",
    .both_buttons = "both buttons, each at least once",
    .any_order = "any order",
    .reaches = "reaches 0 in {}",
    .loops = "falls into the loop {}, never reaches 0",
    .never = "never reaches 0",
    .never_both = "never reaches 0 this way",
    .note =
        "What this means for the exercise: pressed in turn, as its last line asks, the "
        "buttons bring only a few small numbers to 0; from any other the field soon "
        "repeats a loop and never reads 0. Pressed in another order, both buttons bring "
        "every number from 1 to 9999 to 0. Decrease alone brings every positive whole "
        "number written in digits to 0: the number minus its digit sum is a multiple of "
        "9, smaller than the number and not below 0, so the presses step down through "
        "multiples of 9 until they reach 0.",
    .column_start = "start",
    .column_increase_first = "in turn, increase first",
    .column_decrease_first = "in turn, decrease first",
    .column_both_buttons = "both buttons",
    .column_any_order = "any order",
    .loop_cell = "loop {}",
    .never_cell = "never",
    .in_turn_summary =
        "{} to {}, in turn: {} of {} starts reach 0 increasing first, {} decreasing first",
    .loops_summary = "; every other walk falls into one of {} different loops, the longest {}",
    .one_loop_summary = "; every other walk falls into the loop {}",
    .no_loop_summary = "; no walk falls into a loop",
    .reach_summary = "{} to {}, {}: {} of {} starts reach 0; the longest shortest path is {}, from {}",
    .reach_summary_none = "{} to {}, {}: none of the {} starts reaches 0",
    .both_buttons_short = "both buttons",
    .in_turn_caption = "{}, pressed in turn",
    .path_caption = "From {} to 0 in {}, any order (in bold), and the texts met on the way",
    .never_caption = "From {}: 0 is never reached",
    .depth_caption = "Within {} of {}",
    .press_one = "{} press",
    .press_many = "{} presses",
};

constexpr Words kBulgarian{
    .increase = "увеличава",
    .decrease = "намалява",
    .field_holds = "{} (полето съдържа {})",
    .is_zero = "{}: вече е 0, без натискания",
    .in_turn = "редувайки бутоните, {}",
    .increase_first = "първо увеличава",
    .decrease_first = "първо намалява",
    .both_buttons = "с двата бутона, всеки поне веднъж",
    .any_order = "в произволен ред",
    .reaches = "стига до 0 с {}",
    .loops = "влиза в цикъла {} и не стига до 0",
    .never = "не стига до 0",
    .never_both = "не стига до 0 по този начин",
    .note =
        "Какво значи това за задачата: ако бутоните се редуват, както пита последният "
        "ред на задачата, до 0 стигат само няколко малки числа; от всяко друго полето "
        "скоро започва да повтаря цикъл и никога не показва 0. Натискани в друг ред, "
        "двата бутона водят до 0 всяко число от 1 до 9999. Само бутонът за намаляване "
        "води до 0 всяко положително цяло число, записано с цифри: числото минус сбора "
        "от цифрите му е кратно на 9, по-малко от числото и не по-малко от 0, затова "
        "натисканията слизат по кратните на 9, докато стигнат 0.",
    .column_start = "начало",
    .column_increase_first = "редувайки, първо увеличава",
    .column_decrease_first = "редувайки, първо намалява",
    .column_both_buttons = "двата бутона",
    .column_any_order = "произволен ред",
    .loop_cell = "цикъл {}",
    .never_cell = "няма",
    .in_turn_summary =
        "от {} до {}, редувайки бутоните: {} от {} начала стигат до 0 с първо увеличаване, "
        "{} с първо намаляване",
    .loops_summary = "; всеки друг път влиза в един от {} различни цикъла, най-дългият {}",
    .one_loop_summary = "; всеки друг път влиза в цикъла {}",
    .no_loop_summary = "; нито един път не влиза в цикъл",
    .reach_summary =
        "от {} до {}, {}: {} от {} начала стигат до 0; най-дългият най-кратък път е {}, от {}",
    .reach_summary_none = "от {} до {}, {}: нито едно от {} начала не стига до 0",
    .both_buttons_short = "с двата бутона",
    .in_turn_caption = "{}, редувайки бутоните",
    .path_caption =
        "От {} до 0 с {} в произволен ред (удебелено) и текстовете, срещнати по пътя",
    .never_caption = "От {}: 0 не се достига",
    .depth_caption = "До {} от {}",
    .press_one = "{} натискане",
    .press_many = "{} натискания",
};

}  // namespace

std::string Words::Presses(std::size_t n) const {
  return Fill(n == 1 ? press_one : press_many, {std::to_string(n)});
}

const Words& WordsFor(Language language) {
  return language == Language::kBulgarian ? kBulgarian : kEnglish;
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string filled;
  auto arg = args.begin();
  for (std::size_t pos = 0; pos < pattern.size(); ++pos) {
    if (pattern.substr(pos, 2) == "{}" && arg != args.end()) {
      filled.append(*arg++);
      ++pos;
    } else {
      filled += pattern[pos];
    }
  }
  return filled;
}

std::string Wrapped(std::string_view text, std::size_t width) {
  if (width == 0) return std::string(text);
  std::string wrapped;
  std::size_t line_width = 0;  // characters on the line so far
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(" \n");
    const std::string_view word = text.substr(0, end);
    const std::size_t word_width = CountChars(word);
    if (line_width > 0 && line_width + 1 + word_width > width) {
      wrapped += '\n';
      line_width = 0;
    } else if (line_width > 0) {
      wrapped += ' ';
      ++line_width;
    }
    wrapped.append(word);
    line_width += word_width;
    if (end == std::string_view::npos) break;
    if (text[end] == '\n') {
      wrapped += '\n';
      line_width = 0;
    }
    text.remove_prefix(end + 1);
  }
  return wrapped;
}

}  // namespace velmora::explore
