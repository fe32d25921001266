#include "explore/dot_graph.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "numbers/utf8.h"

namespace velmora::explore {
namespace {

constexpr std::string_view kZeroFill = "#c8f0c8", kLoopFill = "#fde0b0", kLoopLine = "#d06000";

bool OnWalk(const Walk& walk, TextId from, std::int16_t press) {
  for (std::size_t i = 0; i < walk.presses.size(); ++i)
    if (walk.fields[i] == from && walk.presses[i] == press) return true;
  return false;
}

// Every press from a drawn text (but "0", which stays "0") to a drawn text,
// bold where it is a step of `bold`.
void AddPressesBetween(PressGraph& graph, Drawing& drawing, const Walk& bold) {
  const std::unordered_set<TextId> drawn(drawing.texts.begin(), drawing.texts.end());
  for (TextId from : drawing.texts) {
    if (from == graph.Zero()) continue;
    for (std::int16_t press : kPresses)
      if (const TextId to = graph.Press(from, press); drawn.count(to) > 0)
        drawing.steps.push_back({from, press, to, OnWalk(bold, from, press)});
  }
}

}  // namespace

Drawing SearchDrawing(PressGraph& graph, const Answer& answer, const Words& words) {
  Drawing drawing;
  const Search& search = answer.any_order;
  if (search.met.size() > kMaxDrawnTexts) {
    drawing.too_large = true;
    return drawing;
  }
  drawing.texts = search.met;
  AddPressesBetween(graph, drawing, search.shortest);
  const std::string heading = Heading(graph, answer, words);
  drawing.caption.push_back(
      search.shortest.reached
          ? Fill(words.path_caption, {heading, words.Presses(search.shortest.presses.size())})
          : Fill(words.never_caption, {heading}));
  return drawing;
}

Drawing WithinDrawing(PressGraph& graph, const Answer& answer, std::size_t depth,
                      const Words& words) {
  Drawing drawing;
  Neighbourhood near = Within(graph, answer.start, depth, kMaxDrawnTexts);
  if (near.over_limit) {
    drawing.too_large = true;
    return drawing;
  }
  drawing.texts = std::move(near.texts);
  const Walk& shortest = answer.any_order.shortest;
  AddPressesBetween(graph, drawing,
                    shortest.reached && shortest.presses.size() <= depth ? shortest : Walk{});
  drawing.caption.push_back(
      Fill(words.depth_caption, {words.Presses(depth), Heading(graph, answer, words)}));
  return drawing;
}

Drawing InTurnDrawing(const PressGraph& graph, const Answer& answer, const Words& words) {
  Drawing drawing;
  const std::string heading = Heading(graph, answer, words);
  drawing.texts.push_back(answer.start);
  if (answer.start == graph.Zero()) {
    drawing.caption.push_back(Fill(words.is_zero, {heading}));
    return drawing;
  }
  drawing.caption.push_back(Fill(words.in_turn_caption, {heading}));
  for (const InTurnWalk& in_turn : answer.in_turn) {
    const Walk& walk = in_turn.walk;
    for (std::size_t i = 0; i < walk.presses.size(); ++i) {
      const TextId from = walk.fields[i], to = walk.fields[i + 1];
      if (std::find(drawing.texts.begin(), drawing.texts.end(), to) == drawing.texts.end())
        drawing.texts.push_back(to);
      const bool drawn = std::any_of(drawing.steps.begin(), drawing.steps.end(),
                                     [&](const Drawing::Step& step) {
                                       return step.from == from && step.press == walk.presses[i];
                                     });
      const bool loop = !walk.reached && i >= in_turn.loop_start;
      if (!drawn) drawing.steps.push_back({from, walk.presses[i], to, walk.reached || loop, loop});
    }
    for (TextId text : in_turn.loop)
      if (std::find(drawing.loop.begin(), drawing.loop.end(), text) == drawing.loop.end())
        drawing.loop.push_back(text);
    drawing.caption.push_back(std::string(FirstWord(in_turn.first, words)) + ": " +
                              InTurnResult(graph, in_turn, words));
  }
  return drawing;
}

std::string DotEscaped(std::string_view text) {
  std::string escaped;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (length == 1 && byte >= 0x80) {
      escaped += "\xEF\xBF\xBD";
    } else if (byte == '"' || byte == '\\') {
      escaped += '\\';
      escaped += text[pos];
    } else if (byte < 0x20 || byte == 0x7F) {
      escaped += ' ';
    } else {
      escaped.append(text.substr(pos, length));
    }
    pos += length;
  }
  return escaped;
}

std::string DrawingDot(const PressGraph& graph, const Drawing& drawing, const Words& words) {
  std::unordered_map<TextId, std::size_t> place;
  for (std::size_t i = 0; i < drawing.texts.size(); ++i) place.emplace(drawing.texts[i], i);
  const std::unordered_set<TextId> loop(drawing.loop.begin(), drawing.loop.end());
  std::unordered_set<TextId> bold;  // texts on a bold step, at either end
  for (const Drawing::Step& step : drawing.steps) {
    if (!step.bold) continue;
    bold.insert(step.from);
    bold.insert(step.to);
  }

  std::string dot = "digraph velmora {\n  label=\"";
  for (std::size_t i = 0; i < drawing.caption.size(); ++i) {
    if (i > 0) dot += "\\n";
    dot += DotEscaped(drawing.caption[i]);
  }
  dot +=
      "\"; labelloc=t; fontname=\"Liberation Sans\";\n"
      "  node [shape=box, fontname=\"Liberation Sans\"];\n"
      "  edge [fontname=\"Liberation Sans\", fontsize=10];\n";
  for (std::size_t i = 0; i < drawing.texts.size(); ++i) {
    const TextId text = drawing.texts[i];
    const std::string_view fill = text == graph.Zero() ? kZeroFill
                                  : loop.count(text) > 0 ? kLoopFill
                                                         : "white";
    dot += "  n" + std::to_string(i) + " [label=\"" + DotEscaped(graph.Text(text)) +
           "\", style=\"rounded,filled" + (bold.count(text) > 0 ? ",bold" : "") +
           "\", fillcolor=\"" + std::string(fill) + '"';
    if (i == 0) dot += ", peripheries=2";
    dot += "];\n";
  }
  for (const Drawing::Step& step : drawing.steps) {
    const std::string_view word = step.press == NumberPanel::kIncrease ? words.increase
                                                                      : words.decrease;
    dot += "  n" + std::to_string(place.at(step.from)) + " -> n" +
           std::to_string(place.at(step.to)) + " [label=\" " + std::string(word) +
           " \"";  // the blanks keep two labels side by side apart
    if (step.bold) dot += ", style=bold, penwidth=3";
    if (step.loop) dot += ", color=\"" + std::string(kLoopLine) + '"';
    dot += "];\n";
  }
  return dot + "}\n";
}

}  // namespace velmora::explore
