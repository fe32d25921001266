#include "explore/answer.h"

#include "json/json_writer.h"
#include "numbers/utf8.h"

namespace velmora::explore {
namespace {

constexpr std::string_view kArrow = " → ";
constexpr std::string_view kOnAndOn = " → …";  // after a walk that loops
constexpr std::size_t kReadingIndent = 2, kWalkIndent = 4, kWrapIndent = 6;

std::string_view ButtonWord(std::int16_t press, const Words& words) {
  return press == NumberPanel::kIncrease ? words.increase : words.decrease;
}

// "    112 → 116 (increase) → 108 (decrease)", wrapped before a step that
// would pass `width`; a looping walk ends with " → …".
void AppendWalk(std::string& out, const PressGraph& graph, const Walk& walk, bool loops,
                const Words& words, std::size_t width) {
  std::string line = std::string(kWalkIndent, ' ') + graph.Shown(walk.fields.front());
  std::size_t line_width = CountChars(line);
  for (std::size_t i = 0; i < walk.presses.size(); ++i) {
    std::string step = std::string(kArrow) + graph.Shown(walk.fields[i + 1]) + " (" +
                       std::string(ButtonWord(walk.presses[i], words)) + ")";
    if (loops && i + 1 == walk.presses.size()) step += kOnAndOn;
    const std::size_t step_width = CountChars(step);
    if (width > 0 && line_width + step_width > width) {
      out += line;
      out += '\n';
      line = std::string(kWrapIndent - 1, ' ');  // the step begins with a blank
      line_width = kWrapIndent - 1;
    }
    line += step;
    line_width += step_width;
  }
  out += line;
  out += '\n';
}

// "  any order: reaches 0 in 12 presses", wrapped at `width` as a walk is.
void AppendReadingLine(std::string& out, std::string_view reading, std::string_view result,
                       std::size_t width) {
  const std::string line = std::string(reading) + ": " + std::string(result);
  const std::string wrapped = Wrapped(line, width > kWalkIndent ? width - kWalkIndent : 0);
  out += std::string(kReadingIndent, ' ');
  for (char c : wrapped) {
    out += c;
    if (c == '\n') out += std::string(kWalkIndent, ' ');
  }
  out += '\n';
}

// A reading's line, then its walk when it reaches "0".
void AppendReading(std::string& out, const PressGraph& graph, std::string_view reading,
                   const Walk& walk, std::string_view never, const Words& words,
                   std::size_t width) {
  if (!walk.reached) {
    AppendReadingLine(out, reading, never, width);
    return;
  }
  AppendReadingLine(out, reading, Fill(words.reaches, {words.Presses(walk.presses.size())}),
                    width);
  AppendWalk(out, graph, walk, false, words, width);
}

void WriteWalk(JsonWriter& json, const PressGraph& graph, const Walk& walk) {
  json.Key("reachable").Bool(walk.reached);
  json.Key("presses").BeginArray();
  for (std::int16_t press : walk.presses) json.Number(press);
  json.EndArray();
  json.Key("fields").BeginArray();
  for (TextId text : walk.fields) json.String(graph.Text(text));
  json.EndArray();
}

}  // namespace

Answer AnswerFor(PressGraph& graph, std::string_view typed) {
  const TextId start = graph.Typed(typed);
  return Answer{std::string(typed),
                start,
                {PressInTurn(graph, start, NumberPanel::kIncrease),
                 PressInTurn(graph, start, NumberPanel::kDecrease)},
                ShortestWithBoth(graph, start),
                ShortestToZero(graph, start)};
}

std::string Heading(const PressGraph& graph, const Answer& answer, const Words& words) {
  if (answer.typed == graph.Text(answer.start)) return graph.Shown(answer.start);
  return Fill(words.field_holds,
              {answer.typed.empty() ? "\"\"" : answer.typed, graph.Shown(answer.start)});
}

std::string LoopText(const PressGraph& graph, const InTurnWalk& in_turn) {
  std::string text;
  for (TextId loop_text : in_turn.loop) {
    if (!text.empty()) text += kArrow;
    text += graph.Shown(loop_text);
  }
  return text;
}

std::string AnswerText(const PressGraph& graph, const Answer& answer, const Words& words,
                       std::size_t width) {
  const std::string heading = Heading(graph, answer, words);
  if (answer.start == graph.Zero()) return Fill(words.is_zero, {heading}) + "\n";
  std::string out = heading + ":\n";
  for (const InTurnWalk& in_turn : answer.in_turn) {
    const std::string reading =
        Fill(words.in_turn, {in_turn.first == NumberPanel::kIncrease ? words.increase_first
                                                                     : words.decrease_first});
    if (in_turn.walk.reached) {
      AppendReading(out, graph, reading, in_turn.walk, words.never, words, width);
      continue;
    }
    AppendReadingLine(out, reading, Fill(words.loops, {LoopText(graph, in_turn)}), width);
    AppendWalk(out, graph, in_turn.walk, true, words, width);
  }
  AppendReading(out, graph, words.both_buttons, answer.both_buttons, words.never_both, words,
                width);
  AppendReading(out, graph, words.any_order, answer.any_order.shortest, words.never, words,
                width);
  return out;
}

std::string ExerciseNote(const Words& words, std::size_t width) {
  return Wrapped(words.note, width) + "\n";
}

std::string AnswerJson(const PressGraph& graph, const Answer& answer) {
  JsonWriter json;
  json.BeginObject().Key("start").String(answer.typed);
  WriteWalk(json, graph, answer.any_order.shortest);
  json.Key("bothButtons").BeginObject();
  WriteWalk(json, graph, answer.both_buttons);
  json.EndObject();
  json.Key("inTurn").BeginArray();
  for (const InTurnWalk& in_turn : answer.in_turn) {
    json.BeginObject().Key("first").Number(in_turn.first);
    WriteWalk(json, graph, in_turn.walk);
    if (!in_turn.walk.reached) {
      json.Key("loop").BeginArray();
      for (TextId text : in_turn.loop) json.String(graph.Text(text));
      json.EndArray();
    }
    json.EndObject();
  }
  json.EndArray().EndObject();
  return std::move(json).Take() + "\n";
}

}  // namespace velmora::explore
