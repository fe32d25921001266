// velmora-explore: the exercise's answer, for teachers. For each start text
// it says whether the window's two buttons bring the field to "0" pressed in
// turn, with both buttons, and in any order; it tabulates a range of whole
// numbers, and draws an answer as a Graphviz picture. The answers are the
// library's (explore/), which the teachers' page shows too; this program is
// the command line around them: its options, the language from the locale,
// files, and dot for --svg.
//
// Exit status: 0 done, 1 the work failed (a graph too large to draw, no
// Graphviz for --svg, output that cannot be written), 2 a usage error.

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "explore/answer.h"
#include "explore/dot_graph.h"
#include "explore/range.h"
#include "tools/explore/messages.h"
#include "tools/explore/options.h"
#include "tools/explore/render_svg.h"
#include "version.h"

namespace velmora::explore {
namespace {

// Where the answers wrap: within an 80-column terminal.
constexpr std::size_t kLineWidth = 79;

class Explorer {
 public:
  Explorer(const Messages& messages, const Words& words, const Options& options)
      : m_(messages), words_(words), options_(options), graph_(options.comma ? U',' : U'.') {}

  void Starts(std::ostream& out);
  void All(std::ostream& out);
  void Graph(std::ostream& out);

 private:
  const Messages& m_;
  const Words& words_;
  const Options& options_;
  PressGraph graph_;
};

// Each start's answer, a blank line between two; then, once, what the
// answers mean for the exercise. With --json, a line per start alone.
void Explorer::Starts(std::ostream& out) {
  for (std::size_t i = 0; i < options_.starts.size(); ++i) {
    const Answer answer = AnswerFor(graph_, options_.starts[i]);
    if (options_.json) {
      out << AnswerJson(graph_, answer);
      continue;
    }
    if (i > 0) out << '\n';
    out << AnswerText(graph_, answer, words_, kLineWidth);
  }
  if (!options_.json) out << '\n' << ExerciseNote(words_, kLineWidth);
}

// Tab-separated, for a spreadsheet: a start and a column per reading; then
// a blank line and the summary, a line per reading. With --json, a line per
// start alone.
void Explorer::All(std::ostream& out) {
  const auto [from, to] = *options_.all;
  if (!options_.json) out << TsvLine(TableHeader(words_));
  RangeSummary summary;
  for (long long n = from; n <= to; ++n) {
    const Answer answer = AnswerFor(graph_, std::to_string(n));
    summary.Add(graph_, answer);
    out << (options_.json ? AnswerJson(graph_, answer) : TsvLine(TableRow(graph_, answer, words_)));
  }
  if (options_.json) return;
  out << '\n';
  for (const std::string& line : summary.Lines(words_)) out << line << '\n';
}

void Explorer::Graph(std::ostream& out) {
  const Answer answer = AnswerFor(graph_, *options_.graph);
  const Drawing drawing = options_.in_turn ? InTurnDrawing(graph_, answer, words_)
                          : options_.depth ? WithinDrawing(graph_, answer, *options_.depth, words_)
                                           : SearchDrawing(graph_, answer, words_);
  if (drawing.too_large)
    throw Failure{Fill(m_.too_many_texts, {std::to_string(kMaxDrawnTexts)}), 1};
  const std::string dot = DrawingDot(graph_, drawing, words_);
  const std::string output = options_.output.value_or("");
  if (options_.svg) {
    const Rendering rendering = RenderSvg(dot, output);
    if (rendering.status == Rendering::kNoDot) throw Failure{std::string(m_.no_dot), 1};
    if (rendering.status == Rendering::kFailed)
      throw Failure{Fill(m_.dot_failed, {rendering.detail}), 1};
  } else if (!output.empty()) {
    std::ofstream file(output, std::ios::binary);
    file << dot;
    file.close();
    if (!file) throw Failure{Fill(m_.cannot_write, {output, std::strerror(errno)}), 1};
  } else {
    out << dot;
  }
}

int Run(Language language, const std::vector<std::string>& args) {
  const Messages& m = MessagesFor(language);
  try {
    const Options options = ParseOptions(m, args);
    std::ios::sync_with_stdio(false);
    if (options.help) {
      std::cout << m.usage;
    } else if (options.version) {
      std::cout << "velmora-explore (" VELMORA_PRODUCT_NAME ") " VELMORA_PRODUCT_VERSION "\n";
    } else {
      Explorer explorer(m, WordsFor(language), options);
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
  return Run(LocaleLanguage(), std::vector<std::string>(argv + 1, argv + argc));
}
