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

// The walk a step at a time: "112", "→ 116 (increase)", ...; the last step
// of a walk that stops short of "0" ends with " → …": the only such walks
// written out are in turn, and they stop where they loop.
std::vector<std::string> WalkSteps(const PressGraph& graph, const Walk& walk,
                                   const Words& words) {
  std::vector<std::string> steps{graph.Shown(walk.fields.front())};
  for (std::size_t i = 0; i < walk.presses.size(); ++i)
    steps.push_back("→ " + graph.Shown(walk.fields[i + 1]) + " (" +
                    std::string(ButtonWord(walk.presses[i], words)) + ")");
  if (!walk.reached) steps.back() += kOnAndOn;
  return steps;
}

// "reaches 0 in 12 presses", for a walk that reaches "0".
std::string Reaches(const Walk& walk, const Words& words) {
  return Fill(words.reaches, {words.Presses(walk.presses.size())});
}

// A shortest reading (both buttons, any order): what it gives and its walk
// when it reaches "0", or `never` without a walk.
ReadingWords ShortestReading(const PressGraph& graph, std::string reading, const Walk& walk,
                             std::string_view never, const Words& words) {
  if (!walk.reached) return {std::move(reading), std::string(never), {}};
  return {std::move(reading), Reaches(walk, words), WalkSteps(graph, walk, words)};
}

// "    112 → 116 (increase) → 108 (decrease)", the steps a blank apart,
// wrapped before a step that would pass `width`.
void AppendWalk(std::string& out, const std::vector<std::string>& steps, std::size_t width) {
  std::string line = std::string(kWalkIndent, ' ') + steps.front();
  std::size_t line_width = CountChars(line);
  for (std::size_t i = 1; i < steps.size(); ++i) {
    const std::size_t step_width = 1 + CountChars(steps[i]);
    if (width > 0 && line_width + step_width > width) {
      out += line;
      out += '\n';
      line = std::string(kWrapIndent - 1, ' ');  // the blank before the step follows
      line_width = kWrapIndent - 1;
    }
    line += ' ';
    line += steps[i];
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
  // Not empty: typed into the field, the empty text leaves it empty.
  return Fill(words.field_holds, {answer.typed, graph.Shown(answer.start)});
}

std::string LoopText(const PressGraph& graph, const InTurnWalk& in_turn) {
  std::string text;
  for (TextId loop_text : in_turn.loop) {
    if (!text.empty()) text += kArrow;
    text += graph.Shown(loop_text);
  }
  return text;
}

std::string_view FirstWord(std::int16_t first, const Words& words) {
  return first == NumberPanel::kIncrease ? words.increase_first : words.decrease_first;
}

std::string InTurnResult(const PressGraph& graph, const InTurnWalk& in_turn, const Words& words) {
  if (in_turn.walk.reached) return Reaches(in_turn.walk, words);
  return Fill(words.loops, {LoopText(graph, in_turn)});
}

AnswerWords AnswerInWords(const PressGraph& graph, const Answer& answer, const Words& words) {
  AnswerWords out{Heading(graph, answer, words), "", {}};
  if (answer.start == graph.Zero()) {
    out.zero = Fill(words.is_zero, {out.heading});
    return out;
  }
  for (const InTurnWalk& in_turn : answer.in_turn)
    out.readings.push_back({Fill(words.in_turn, {FirstWord(in_turn.first, words)}),
                            InTurnResult(graph, in_turn, words),
                            WalkSteps(graph, in_turn.walk, words)});
  out.readings.push_back(ShortestReading(graph, std::string(words.both_buttons),
                                         answer.both_buttons, words.never_both, words));
  out.readings.push_back(ShortestReading(graph, std::string(words.any_order),
                                         answer.any_order.shortest, words.never, words));
  return out;
}

std::string AnswerText(const PressGraph& graph, const Answer& answer, const Words& words,
                       std::size_t width) {
  const AnswerWords in_words = AnswerInWords(graph, answer, words);
  if (!in_words.zero.empty()) return in_words.zero + "\n";
  std::string out = in_words.heading + ":\n";
  for (const ReadingWords& reading : in_words.readings) {
    AppendReadingLine(out, reading.reading, reading.result, width);
    if (!reading.steps.empty()) AppendWalk(out, reading.steps, width);
  }
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
