#include "tools/explore/messages.h"

#include <cstdlib>

namespace velmora::explore {
namespace {

constexpr Messages kEnglish{
    .usage =
        "Usage: velmora-explore [--comma] [--json] START...\n"
        "       velmora-explore [--comma] [--json] --all FROM TO\n"
        "       velmora-explore [--comma] --graph START [--in-turn | --depth N] [--svg]\n"
        "                       [--output FILE]\n"
        "The window's exercise asks whether its two buttons, \"Увеличава със сбор\"\n"
        "(increase the number by the sum of its digits) and \"Намалява със сбор\"\n"
        "(decrease it by that sum), can bring the number to 0. For each START this\n"
        "answers three ways, pressing the window's own number panel, whose field keeps\n"
        "4 characters:\n"
        "  in turn       the buttons alternate, once from increase, once from decrease,\n"
        "                until the field reads 0 or a text comes back with the same\n"
        "                button to press next, a loop that repeats for ever;\n"
        "  both buttons  the fewest presses to 0 that use each button at least once;\n"
        "  any order     the fewest presses to 0, whichever buttons they use.\n"
        "Of two ways equally short, the one that increases first. Any text is a START,\n"
        "as the field holds it (its first 4 characters).\n"
        "  --comma         the field writes numbers with a decimal comma, not a point;\n"
        "                  it still reads only a point (7,5 reads as 7)\n"
        "  --json          one JSON line per start (below)\n"
        "  --all FROM TO   a table of the whole numbers FROM to TO, a column per answer,\n"
        "                  then a summary; FROM and TO from -999 to 9999 (what the\n"
        "                  field holds whole)\n"
        "  --graph START   a picture, as Graphviz DOT: the texts the search in any order\n"
        "                  met on its way to 0, the shortest way in bold\n"
        "  --in-turn       with --graph: the buttons pressed in turn and their loop\n"
        "                  instead\n"
        "  --depth N       with --graph: every text within N presses of START instead\n"
        "  --svg           with --graph: an SVG picture, drawn by Graphviz's dot\n"
        "  --output FILE   with --graph: into FILE instead of standard output\n"
        "  --help          this text\n"
        "  --version       the program's version\n"
        "The JSON line has \"start\" (as given); \"reachable\", \"presses\" and \"fields\"\n"
        "for any order; \"bothButtons\" with the same three for both buttons; and\n"
        "\"inTurn\", one object with \"first\": 0 (increase first) and one with\n"
        "\"first\": 1 (decrease first), each with \"reachable\", \"presses\", \"fields\"\n"
        "and, when the field repeats, \"loop\": the texts that repeat. A press is 0 for\n"
        "increase and 1 for decrease; \"fields\" are the field's texts from the start.\n",
    .try_help = "Try 'velmora-explore --help'.",
    .unknown_option = "unknown option {}",
    .needs_value = "{} is missing its value",
    .not_whole = "{}: \"{}\" is not a whole number",
    .too_large = "{}: {} is too large a number",
    .not_count = "{}: \"{}\" is not a number of presses (0, 1, 2, ...)",
    .from_above_to = "--all: FROM {} is greater than TO {}",
    .not_held_whole =
        "--all: {} has more than the 4 characters the field holds; give whole numbers "
        "from -999 to 9999",
    .one_task = "give START texts, --all or --graph, only one of them",
    .graph_only = "{} goes with --graph only",
    .depth_in_turn = "--depth does not go with --in-turn",
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
    .usage =
        "Употреба: velmora-explore [--comma] [--json] НАЧАЛО...\n"
        "          velmora-explore [--comma] [--json] --all ОТ ДО\n"
        "          velmora-explore [--comma] --graph НАЧАЛО [--in-turn | --depth N]\n"
        "                          [--svg] [--output ФАЙЛ]\n"
        "Задачата в прозореца пита дали двата бутона, „Увеличава със сбор“ (увеличава\n"
        "числото със сбора от цифрите му) и „Намалява със сбор“ (намалява го с този\n"
        "сбор), могат да доведат числото до 0. За всяко НАЧАЛО програмата отговаря по\n"
        "три начина, като натиска самия панел на прозореца, чието поле държи 4 знака:\n"
        "  редувайки бутоните  бутоните се редуват, веднъж от увеличаване, веднъж от\n"
        "                      намаляване, докато полето покаже 0 или някой текст се\n"
        "                      върне със същия бутон за натискане след него: цикъл,\n"
        "                      който се повтаря безкрай;\n"
        "  с двата бутона      най-малко натискания до 0, с всеки бутон поне веднъж;\n"
        "  в произволен ред    най-малко натискания до 0, с който и да е бутон.\n"
        "От два еднакво кратки пътя се взима този, който първо увеличава. Всеки текст\n"
        "е НАЧАЛО такова, каквото го държи полето (първите му 4 знака).\n"
        "  --comma         полето пише числата с десетична запетая, не с точка;\n"
        "                  чете пак само точка (7,5 се чете като 7)\n"
        "  --json          по един ред JSON за всяко начало (виж по-долу)\n"
        "  --all ОТ ДО     таблица на целите числа от ОТ до ДО, колона за всеки отговор,\n"
        "                  и обобщение; ОТ и ДО от -999 до 9999 (каквото полето държи\n"
        "                  цяло)\n"
        "  --graph НАЧАЛО  картина като DOT на Graphviz: текстовете, срещнати при\n"
        "                  търсенето в произволен ред по пътя до 0, най-краткият път\n"
        "                  удебелен\n"
        "  --in-turn       с --graph: вместо това бутоните, натискани редувайки се, и\n"
        "                  цикълът\n"
        "  --depth N       с --graph: вместо това всички текстове до N натискания\n"
        "                  от НАЧАЛО\n"
        "  --svg           с --graph: картина в SVG, начертана от dot на Graphviz\n"
        "  --output ФАЙЛ   с --graph: във ФАЙЛ вместо на стандартния изход\n"
        "  --help          този текст\n"
        "  --version       версията на програмата\n"
        "Редът JSON има \"start\" (началото, както е дадено); \"reachable\", \"presses\" и\n"
        "\"fields\" за произволен ред; \"bothButtons\" със същите три за двата бутона; и\n"
        "\"inTurn\": един обект с \"first\": 0 (първо увеличава) и един с \"first\": 1\n"
        "(първо намалява), всеки с \"reachable\", \"presses\", \"fields\" и, когато полето\n"
        "се повтаря, \"loop\": текстовете, които се повтарят. Натискането е 0 за\n"
        "увеличаване и 1 за намаляване; \"fields\" са текстовете на полето от началото.\n",
    .try_help = "Вижте „velmora-explore --help“.",
    .unknown_option = "непозната опция {}",
    .needs_value = "{} няма стойност",
    .not_whole = "{}: „{}“ не е цяло число",
    .too_large = "{}: {} е твърде голямо число",
    .not_count = "{}: „{}“ не е брой натискания (0, 1, 2, …)",
    .from_above_to = "--all: ОТ {} е по-голямо от ДО {}",
    .not_held_whole =
        "--all: {} има повече от 4-те знака, които полето държи; дайте цели числа от -999 "
        "до 9999",
    .one_task = "дайте текстове НАЧАЛО, --all или --graph, само едно от тях",
    .graph_only = "{} върви само с --graph",
    .depth_in_turn = "--depth не върви с --in-turn",
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

Language LocaleLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0')
      return std::string_view(value).substr(0, 2) == "bg" ? Language::kBulgarian
                                                          : Language::kEnglish;
  }
  return Language::kEnglish;
}

const Messages& MessagesFor(Language language) {
  return language == Language::kBulgarian ? kBulgarian : kEnglish;
}

}  // namespace velmora::explore
