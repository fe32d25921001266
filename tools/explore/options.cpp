#include "tools/explore/options.h"

#include <charconv>
#include <system_error>

#include "explore/range.h"

namespace velmora::explore {
namespace {

// `text` as the whole number that `option` takes: "12", "-5", "+7"; not
// "1.5", "1e3" or "+-5", nor a number beyond 64 bits.
long long WholeNumber(const Messages& m, const std::string& option, std::string_view text) {
  const std::string_view digits = text.starts_with('+') && !text.starts_with("+-")
                                      ? text.substr(1)
                                      : text;
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range)
    throw Failure{Fill(m.too_large, {option, text}), 2};
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    throw Failure{Fill(m.not_whole, {option, text}), 2};
  return value;
}

// A bound of --all: a whole number the field holds whole. A longer one is
// refused rather than cut, since its cut text (10000 holds as "1000") is
// another start of the range, and the table would count it twice.
long long RangeBound(const Messages& m, const std::string& option, std::string_view text) {
  const long long value = WholeNumber(m, option, text);
  if (value < kLowestStart || value > kHighestStart)
    throw Failure{Fill(m.not_held_whole, {text}), 2};
  return value;
}

}  // namespace

Options ParseOptions(const Messages& m, const std::vector<std::string>& args) {
  Options options;
  int tasks = 0;
  std::string graph_option;  // the first option that goes with --graph only
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&](std::size_t n) {  // the n-th value after the option
      if (i + n >= args.size()) throw Failure{Fill(m.needs_value, {arg}), 2};
      return args[i + n];
    };
    if (arg == "--") {
      options.starts.insert(options.starts.end(), args.begin() + static_cast<long>(i) + 1,
                            args.end());
      break;
    } else if (!arg.starts_with("--")) {
      options.starts.push_back(arg);  // "-12" and "-" are texts too
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--comma") {
      options.comma = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--all") {
      options.all = {RangeBound(m, arg, value(1)), RangeBound(m, arg, value(2))};
      if (options.all->first > options.all->second)
        throw Failure{Fill(m.from_above_to, {value(1), value(2)}), 2};
      ++tasks;
      i += 2;
    } else if (arg == "--graph") {
      options.graph = value(1);
      ++tasks;
      ++i;
    } else if (arg == "--depth") {
      const long long depth = WholeNumber(m, arg, value(1));
      if (depth < 0) throw Failure{Fill(m.not_count, {arg, value(1)}), 2};
      options.depth = static_cast<std::size_t>(depth);
      ++i;
    } else if (arg == "--in-turn") {
      options.in_turn = true;
    } else if (arg == "--svg") {
      options.svg = true;
    } else if (arg == "--output") {
      options.output = value(1);
      ++i;
    } else {
      throw Failure{Fill(m.unknown_option, {arg}), 2};
    }
    if ((arg == "--depth" || arg == "--in-turn" || arg == "--svg" || arg == "--output") &&
        graph_option.empty())
      graph_option = arg;
  }
  if (options.help || options.version) return options;
  if (!options.starts.empty()) ++tasks;
  if (tasks == 0) throw Failure{std::string(m.nothing_to_do), 2};
  if (tasks > 1) throw Failure{std::string(m.one_task), 2};
  if (!options.graph && !graph_option.empty()) throw Failure{Fill(m.graph_only, {graph_option}), 2};
  if (options.graph && options.json) throw Failure{std::string(m.json_not_graph), 2};
  if (options.in_turn && options.depth) throw Failure{std::string(m.depth_in_turn), 2};
  return options;
}
}  // namespace velmora::explore
