// The teachers' page's C functions: the exercise's answers from the explore
// library, for the page's JavaScript, which shows them and adds no words
// of its own to them. Texts cross as UTF-8: the page writes its input into
// the exchange buffer (teachers_buffer) and reads each answer, a JSON text
// ending in a zero byte, from the pointer returned; it stays there until
// the next call. A call that fails answers {"error": what went wrong}.
//
// `language` is 0 for English, 1 for Bulgarian; `regional_separator` the
// user's decimal separator as a code point, as the window's page gives it
// (a point, or -1 when unknown, writes "7.5"; a comma "7,5").

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "explore/answer.h"
#include "explore/dot_graph.h"
#include "explore/range.h"
#include "json/json_writer.h"

namespace {

using namespace velmora::explore;

std::vector<char> buffer;
std::string answer;

// One graph per separator the page has used, kept across calls: a start
// already pressed is not pressed again. SeparatorFor gives a point for
// anything but a comma, -1 (unknown) among them.
PressGraph& GraphFor(int regional_separator) {
  static std::map<char, PressGraph> graphs;
  const auto regional = static_cast<char32_t>(regional_separator);
  const char separator = velmora::NumberPanel::SeparatorFor(regional);
  return graphs.try_emplace(separator, regional).first->second;
}

const Words& WordsOf(int language) {
  return WordsFor(language == 1 ? Language::kBulgarian : Language::kEnglish);
}

std::string_view Typed(std::size_t size) {
  return {buffer.data(), size < buffer.size() ? size : buffer.size()};
}

// Keeps the answer `make` writes, or {"error": ...} when it fails.
template <typename Make>
const char* Reply(Make make) {
  try {
    answer = make();
  } catch (const std::exception& e) {
    answer = "{\"error\":" + velmora::JsonString(e.what()) + "}";
  } catch (...) {
    answer = "{\"error\":\"unknown\"}";
  }
  return answer.c_str();
}

void WriteStrings(velmora::JsonWriter& json, const std::vector<std::string>& texts) {
  json.BeginArray();
  for (const std::string& text : texts) json.String(text);
  json.EndArray();
}

// The range's table for a spreadsheet: the column names, a row per start,
// a blank line, then the summary, a line in a cell. It begins with
// UTF-8's byte order mark, without which a spreadsheet on Windows reads
// the file in the local code page and garbles "→" and Cyrillic.
std::string RangeCsv(const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows,
                     const std::vector<std::string>& summary) {
  std::string csv = "\xEF\xBB\xBF" + CsvLine(header);
  for (const auto& row : rows) csv += CsvLine(row);
  csv += "\r\n";
  for (const std::string& line : summary) csv += CsvLine({line});
  return csv;
}

}  // namespace

extern "C" {

// A buffer of `size` bytes for the page's input to the next call.
EMSCRIPTEN_KEEPALIVE char* teachers_buffer(std::size_t size) {
  buffer.assign(size, 0);
  return buffer.data();
}

// What the page's inputs may hold: the range's bounds, the whole numbers
// that the field holds whole, and the most texts a picture shows:
//   {"lowest":-999,"highest":9999,"mostDrawn":300}
EMSCRIPTEN_KEEPALIVE const char* teachers_limits() {
  return Reply([] {
    velmora::JsonWriter json;
    json.BeginObject()
        .Key("lowest").Number(kLowestStart)
        .Key("highest").Number(kHighestStart)
        .Key("mostDrawn").Number(static_cast<std::int64_t>(kMaxDrawnTexts))
        .EndObject();
    return std::move(json).Take();
  });
}

// The answer for the start in the buffer's first `size` bytes, typed into
// the field as a pupil types it:
//   {"heading":"112","zero":"",
//    "readings":[{"reading":"in turn, increase first",
//                 "result":"falls into the loop 108 → 117, never reaches 0",
//                 "steps":["112","→ 116 (increase)",...]}, ...],
//    "note":"What this means for the exercise: ...",
//    "json":"{\"start\":\"112\",...}\n"}
// (AnswerInWords; "note" is Words::note, what velmora-explore says after
// its answers (ExerciseNote), as one paragraph without a line break;
// "json" is the line velmora-explore --json prints for the start.)
EMSCRIPTEN_KEEPALIVE const char* teachers_answer(std::size_t size, int language,
                                                 int regional_separator) {
  return Reply([=] {
    PressGraph& graph = GraphFor(regional_separator);
    const Words& words = WordsOf(language);
    const Answer found = AnswerFor(graph, Typed(size));
    const AnswerWords in_words = AnswerInWords(graph, found, words);
    velmora::JsonWriter json;
    json.BeginObject().Key("heading").String(in_words.heading).Key("zero").String(in_words.zero);
    json.Key("readings").BeginArray();
    for (const ReadingWords& reading : in_words.readings) {
      json.BeginObject().Key("reading").String(reading.reading).Key("result").String(reading.result);
      json.Key("steps");
      WriteStrings(json, reading.steps);
      json.EndObject();
    }
    json.EndArray();
    json.Key("note").String(words.note).Key("json").String(AnswerJson(graph, found)).EndObject();
    return std::move(json).Take();
  });
}

// The picture of the start in the buffer as Graphviz DOT, the tool's own:
// `kind` 0 the walks in turn (velmora-explore --graph START --in-turn),
// 1 the search in any order (--graph START).
//   {"dot":"digraph ...",
//    "caption":["112, pressed in turn",
//               "increase first: falls into the loop 108 → 117, never reaches 0",
//               "decrease first: falls into the loop 108 → 117, never reaches 0"]}
// (the search's caption is one line).
// A picture of more than mostDrawn texts is not drawn: {"tooLarge":true}.
EMSCRIPTEN_KEEPALIVE const char* teachers_picture(std::size_t size, int language,
                                                  int regional_separator, int kind) {
  return Reply([=] {
    PressGraph& graph = GraphFor(regional_separator);
    const Words& words = WordsOf(language);
    const Answer found = AnswerFor(graph, Typed(size));
    const Drawing drawing = kind == 0 ? InTurnDrawing(graph, found, words)
                                      : SearchDrawing(graph, found, words);
    velmora::JsonWriter json;
    json.BeginObject();
    if (drawing.too_large) {
      json.Key("tooLarge").Bool(true);
    } else {
      json.Key("dot").String(DrawingDot(graph, drawing, words)).Key("caption");
      WriteStrings(json, drawing.caption);
    }
    json.EndObject();
    return std::move(json).Take();
  });
}

// The whole numbers `from` to `to` as starts: the table's column names and
// rows, the summary's lines, and the same as CSV for a spreadsheet.
//   {"header":["start",...],"rows":[["1","2","1","3","1"],...],
//    "summary":["1 to 100, in turn: ...",...],"csv":"\uFEFFstart,...\r\n..."}
// Bounds outside lowest..highest, or `from` above `to`, answer
// {"error":"range"}.
EMSCRIPTEN_KEEPALIVE const char* teachers_range(int from, int to, int language,
                                                int regional_separator) {
  return Reply([=]() -> std::string {
    if (from < kLowestStart || to > kHighestStart || from > to) return "{\"error\":\"range\"}";
    PressGraph& graph = GraphFor(regional_separator);
    const Words& words = WordsOf(language);
    const std::vector<std::string> header = TableHeader(words);
    std::vector<std::vector<std::string>> rows;
    RangeSummary summary;
    for (int n = from; n <= to; ++n) {
      const Answer found = AnswerFor(graph, std::to_string(n));
      summary.Add(graph, found);
      rows.push_back(TableRow(graph, found, words));
    }
    const std::vector<std::string> lines = summary.Lines(words);
    velmora::JsonWriter json;
    json.BeginObject().Key("header");
    WriteStrings(json, header);
    json.Key("rows").BeginArray();
    for (const auto& row : rows) WriteStrings(json, row);
    json.EndArray().Key("summary");
    WriteStrings(json, lines);
    json.Key("csv").String(RangeCsv(header, rows, lines)).EndObject();
    return std::move(json).Take();
  });
}

}  // extern "C"
