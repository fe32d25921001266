#include "tools/explore/messages.h"

#include <cstdlib>

namespace velmora::explore {
namespace {

constexpr Messages kEnglish{
    .bulgarian = false,
    .usage =
        "Usage: velmora-explore [--comma] [--json] START...\n"
        "       velmora-explore [--comma] [--json] --all FROM TO\n"
        "       velmora-explore [--comma] --graph START [--depth N] [--svg] [--output FILE]\n"
        "Finds the shortest presses of the window's two buttons (\"Увеличава със сбор\",\n"
        "\"Намалява със сбор\") that bring the number field from START to 0, pressing\n"
        "the window's own number panel; of two shortest ways, the one that increases\n"
        "first. Any text is a START, as the field holds it (its first 4 characters).\n"
        "  --comma        the field writes numbers with a decimal comma, not a point\n"
        "  --json         one JSON line per start: start, reachable, presses, fields\n"
        "  --all FROM TO  a table of the whole numbers FROM to TO, and a summary\n"
        "  --graph START  the texts searched on the way to 0, as Graphviz DOT\n"
        "  --depth N      with --graph: every text within N presses of START instead\n"
        "  --svg          with --graph: an SVG picture, drawn by Graphviz's dot\n"
        "  --output FILE  with --graph: into FILE instead of standard output\n"
        "  --help         this text\n",
    .try_help = "Try 'velmora-explore --help'.",
    .increase = "increase",
    .decrease = "decrease",
    .field_holds = "{} (the field holds {})",
    .is_zero = "{}: is 0 already, no presses",
    .reaches = "{}: reaches 0 in {} ({} searched)",
    .never = "{}: never reaches 0 (all {} it leads to searched)",
    .table_header = "start\tpresses\tsearched",
    .none = "none",
    .summary = "{} to {}: {} of {} starts reach 0; the longest shortest path is {}, from {}",
    .summary_none = "{} to {}: none of the {} starts reaches 0",
    .path_caption = "From {} to 0 in {}",
    .never_caption = "From {}: 0 is never reached",
    .depth_caption = "Within {} of {}",
    .unknown_option = "unknown option {}",
    .needs_value = "{} is missing its value",
    .not_whole = "{}: \"{}\" is not a whole number",
    .too_large = "{}: {} is too large a number",
    .not_count = "{}: \"{}\" is not a number of presses (0, 1, 2, ...)",
    .from_above_to = "--all: FROM {} is greater than TO {}",
    .one_task = "give START texts, --all or --graph, only one of them",
    .graph_only = "{} goes with --graph only",
    .json_not_graph = "--json does not go with --graph",
    .nothing_to_do = "nothing to do: give a START, --all FROM TO or --graph START",
    .too_many_texts =
        "the graph would have more than {} texts, too many to draw; draw fewer with --depth N",
    .no_dot =
        "--svg needs Graphviz's dot program, which is not installed (Debian package "
        "graphviz); without --svg the graph is written as DOT",
    .dot_failed = "Graphviz could not draw the graph ({})",
    .cannot_write = "cannot write to {}: {}",
    .standard_output = "standard output",
};

constexpr Messages kBulgarian{
    .bulgarian = true,
    .usage =
        "Употреба: velmora-explore [--comma] [--json] НАЧАЛО...\n"
        "          velmora-explore [--comma] [--json] --all ОТ ДО\n"
        "          velmora-explore [--comma] --graph НАЧАЛО [--depth N] [--svg] [--output ФАЙЛ]\n"
        "Намира най-краткия ред от натискания на двата бутона на прозореца\n"
        "(„Увеличава със сбор“, „Намалява със сбор“), който води полето с числото от\n"
        "НАЧАЛО до 0, като натиска самия панел на прозореца; от два най-кратки пътя\n"
        "взима този, който първо увеличава. Всеки текст е НАЧАЛО такова, каквото\n"
        "го държи полето (първите му 4 знака).\n"
        "  --comma         полето пише числата с десетична запетая, не с точка\n"
        "  --json          по един ред JSON за всяко начало: start, reachable, presses, fields\n"
        "  --all ОТ ДО     таблица на целите числа от ОТ до ДО и обобщение\n"
        "  --graph НАЧАЛО  текстовете, претърсени по пътя до 0, като DOT на Graphviz\n"
        "  --depth N       с --graph: вместо това всички текстове до N натискания от НАЧАЛО\n"
        "  --svg           с --graph: картина в SVG, начертана от dot на Graphviz\n"
        "  --output ФАЙЛ   с --graph: във ФАЙЛ вместо на стандартния изход\n"
        "  --help          този текст\n",
    .try_help = "Вижте „velmora-explore --help“.",
    .increase = "увеличава",
    .decrease = "намалява",
    .field_holds = "{} (полето съдържа {})",
    .is_zero = "{}: вече е 0, без натискания",
    .reaches = "{}: стига до 0 с {} (претърсени {})",
    .never = "{}: не стига до 0 (претърсени всички {}, до които води)",
    .table_header = "начало\tнатискания\tпретърсени",
    .none = "няма",
    .summary = "от {} до {}: {} от {} начала стигат до 0; най-дългият най-кратък път е {}, от {}",
    .summary_none = "от {} до {}: нито едно от {} начала не стига до 0",
    .path_caption = "От {} до 0 с {}",
    .never_caption = "От {}: 0 не се достига",
    .depth_caption = "До {} от {}",
    .unknown_option = "непозната опция {}",
    .needs_value = "{} няма стойност",
    .not_whole = "{}: „{}“ не е цяло число",
    .too_large = "{}: {} е твърде голямо число",
    .not_count = "{}: „{}“ не е брой натискания (0, 1, 2, …)",
    .from_above_to = "--all: ОТ {} е по-голямо от ДО {}",
    .one_task = "дайте текстове НАЧАЛО, --all или --graph, само едно от тях",
    .graph_only = "{} върви само с --graph",
    .json_not_graph = "--json не върви с --graph",
    .nothing_to_do = "няма какво да се прави: дайте НАЧАЛО, --all ОТ ДО или --graph НАЧАЛО",
    .too_many_texts =
        "графът би имал над {} текста, твърде много за чертеж; начертайте по-малко с --depth N",
    .no_dot =
        "--svg иска програмата dot на Graphviz, която не е инсталирана (пакет graphviz "
        "в Debian); без --svg графът се записва като DOT",
    .dot_failed = "Graphviz не успя да начертае графа ({})",
    .cannot_write = "не може да се пише в {}: {}",
    .standard_output = "стандартния изход",
};

}  // namespace

std::string Messages::Presses(std::size_t n) const {
  if (bulgarian) return std::to_string(n) + (n == 1 ? " натискане" : " натискания");
  return std::to_string(n) + (n == 1 ? " press" : " presses");
}

std::string Messages::Texts(std::size_t n) const {
  if (bulgarian) return std::to_string(n) + (n == 1 ? " текст" : " текста");
  return std::to_string(n) + (n == 1 ? " text" : " texts");
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

bool BulgarianLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return std::string_view(value).substr(0, 2) == "bg";
  }
  return false;
}

const Messages& MessagesFor(bool bulgarian) { return bulgarian ? kBulgarian : kEnglish; }

}  // namespace velmora::explore
