// velmora-explore: the exercise's answer. For each start text it finds the
// shortest presses of the window's two buttons that bring the field to "0",
// tabulates a range of whole numbers, and draws the texts on the way as a
// Graphviz graph. Every step is the window's own number panel (press_graph.h).
//
// Exit status: 0 done, 1 the work failed (a graph too large to draw, no
// Graphviz for --svg, output that cannot be written), 2 a usage error.

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "numbers/utf8.h"
#include "tools/explore/dot_graph.h"
#include "tools/explore/messages.h"
#include "tools/explore/options.h"
#include "tools/explore/press_graph.h"
#include "tools/explore/search.h"

namespace velmora::explore {
namespace {

// A graph of more texts than this is no picture for a board.
constexpr std::size_t kMaxDrawnTexts = 300;
constexpr std::size_t kLineWidth = 78;  // characters, where a path wraps

class Explorer {
 public:
  Explorer(const Messages& messages, const Options& options)
      : m_(messages), options_(options), graph_(options.comma ? U',' : U'.') {}

  void Starts(std::ostream& out);
  void All(std::ostream& out);
  void Graph(std::ostream& out);

 private:
  std::string Shown(TextId id) const;
  std::string Heading(std::string_view typed, TextId start) const;
  void WriteAnswer(std::ostream& out, std::string_view typed, TextId start, const Path& path);
  void WriteJson(std::ostream& out, std::string_view typed, const Path& path) const;

  const Messages& m_;
  const Options& options_;
  PressGraph graph_;
};

// A field text as the tool prints it; the empty text as "".
std::string Explorer::Shown(TextId id) const {
  const std::string& text = graph_.Text(id);
  return text.empty() ? "\"\"" : text;
}

// The start as typed, and what the field holds when that differs.
std::string Explorer::Heading(std::string_view typed, TextId start) const {
  if (typed == graph_.Text(start)) return Shown(start);
  return Fill(m_.field_holds, {typed.empty() ? "\"\"" : typed, Shown(start)});
}

// "112: reaches 0 in 12 presses (40 texts searched)", then the path,
// wrapped: "  112 → 116 (increase) → ..."
void Explorer::WriteAnswer(std::ostream& out, std::string_view typed, TextId start,
                           const Path& path) {
  const std::string heading = Heading(typed, start);
  if (!path.reached) {
    out << Fill(m_.never, {heading, m_.Texts(path.visited.size())}) << '\n';
    return;
  }
  if (path.presses.empty()) {
    out << Fill(m_.is_zero, {heading}) << '\n';
    return;
  }
  out << Fill(m_.reaches, {heading, m_.Presses(path.presses.size()),
                           m_.Texts(path.visited.size())})
      << '\n';
  std::string line = "  " + Shown(path.fields.front());
  std::size_t width = CountChars(line);
  for (std::size_t i = 0; i < path.presses.size(); ++i) {
    const std::string step = " → " + Shown(path.fields[i + 1]) + " (" +
                             std::string(path.presses[i] == 0 ? m_.increase : m_.decrease) + ")";
    const std::size_t step_width = CountChars(step);
    if (width + step_width > kLineWidth) {
      out << line << '\n';
      line = "   ";
      width = 3;
    }
    line += step;
    width += step_width;
  }
  out << line << '\n';
}

// {"start":"112","reachable":true,"presses":[0,1,...],"fields":["112","116",...,"0"]}
void Explorer::WriteJson(std::ostream& out, std::string_view typed, const Path& path) const {
  nlohmann::ordered_json line;
  line["start"] = typed;
  line["reachable"] = path.reached;
  line["presses"] = path.presses;
  line["fields"] = nlohmann::json::array();
  for (TextId id : path.fields) line["fields"].push_back(graph_.Text(id));
  out << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

void Explorer::Starts(std::ostream& out) {
  for (const std::string& typed : options_.starts) {
    const TextId start = graph_.Typed(typed);
    const Path path = ShortestToZero(graph_, start);
    if (options_.json) {
      WriteJson(out, typed, path);
    } else {
      WriteAnswer(out, typed, start, path);
    }
  }
}

// Tab-separated, for a spreadsheet: start, presses (or "none"), texts
// searched; then a blank line and the summary.
void Explorer::All(std::ostream& out) {
  const auto [from, to] = *options_.all;
  if (!options_.json) out << m_.table_header << '\n';
  std::size_t starts = 0, reached = 0, longest = 0;
  std::string longest_start;
  for (long long n = from;; ++n) {
    const std::string typed = std::to_string(n);
    const Path path = ShortestToZero(graph_, graph_.Typed(typed));
    ++starts;
    if (path.reached) {
      ++reached;
      if (longest_start.empty() || path.presses.size() > longest) {
        longest = path.presses.size();
        longest_start = typed;
      }
    }
    if (options_.json) {
      WriteJson(out, typed, path);
    } else {
      out << typed << '\t' << (path.reached ? std::to_string(path.presses.size()) : m_.none)
          << '\t' << path.visited.size() << '\n';
    }
    if (n == to) break;
  }
  if (options_.json) return;
  const std::string first = std::to_string(from), last = std::to_string(to);
  out << '\n';
  if (reached == 0) {
    out << Fill(m_.summary_none, {first, last, std::to_string(starts)}) << '\n';
  } else {
    out << Fill(m_.summary, {first, last, std::to_string(reached), std::to_string(starts),
                             m_.Presses(longest), longest_start})
        << '\n';
  }
}

void Explorer::Graph(std::ostream& out) {
  const TextId start = graph_.Typed(*options_.graph);
  const std::string heading = Heading(*options_.graph, start);
  const Path path = ShortestToZero(graph_, start);
  Drawing drawing;
  if (options_.depth) {
    Neighbourhood near = Within(graph_, start, *options_.depth, kMaxDrawnTexts);
    if (near.over_limit)
      throw Failure{Fill(m_.too_many_texts, {std::to_string(kMaxDrawnTexts)}), 1};
    drawing.texts = std::move(near.texts);
    drawing.caption = Fill(m_.depth_caption, {m_.Presses(*options_.depth), heading});
    if (path.reached && path.presses.size() <= *options_.depth) drawing.bold = path;
  } else {
    if (path.visited.size() > kMaxDrawnTexts)
      throw Failure{Fill(m_.too_many_texts, {std::to_string(kMaxDrawnTexts)}), 1};
    drawing.texts = path.visited;
    drawing.caption = path.reached
                          ? Fill(m_.path_caption, {heading, m_.Presses(path.presses.size())})
                          : Fill(m_.never_caption, {heading});
    drawing.bold = path;
  }
  std::ostringstream dot;
  WriteDot(graph_, drawing, dot);
  const std::string output = options_.output.value_or("");
  if (options_.svg) {
    const Rendering rendering = RenderSvg(dot.str(), output);
    if (rendering.status == Rendering::kNoDot) throw Failure{std::string(m_.no_dot), 1};
    if (rendering.status == Rendering::kFailed)
      throw Failure{Fill(m_.dot_failed, {rendering.detail}), 1};
  } else if (!output.empty()) {
    std::ofstream file(output, std::ios::binary);
    file << dot.str();
    file.close();
    if (!file) throw Failure{Fill(m_.cannot_write, {output, std::strerror(errno)}), 1};
  } else {
    out << dot.str();
  }
}

int Run(const Messages& m, const std::vector<std::string>& args) {
  try {
    const Options options = ParseOptions(m, args);
    std::ios::sync_with_stdio(false);
    if (options.help) {
      std::cout << m.usage;
    } else {
      Explorer explorer(m, options);
      if (options.all) {
        explorer.All(std::cout);
      } else if (options.graph) {
        explorer.Graph(std::cout);
      } else {
        explorer.Starts(std::cout);
      }
    }
    std::cout.flush();
    if (!std::cout)
      throw Failure{Fill(m.cannot_write, {m.standard_output, std::strerror(errno)}), 1};
    return 0;
  } catch (const Failure& failure) {
    std::cerr << "velmora-explore: " << failure.message << '\n';
    if (failure.status == 2) std::cerr << m.try_help << '\n';
    return failure.status;
  } catch (const std::exception& e) {
    std::cerr << "velmora-explore: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace
}  // namespace velmora::explore

int main(int argc, char** argv) {
  using namespace velmora::explore;
  return Run(MessagesFor(BulgarianLocale()), std::vector<std::string>(argv + 1, argv + argc));
}
