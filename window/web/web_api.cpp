// The page's C functions: the window read from its stored record, the
// panel's handlers and the field's editing rule, for the page's JavaScript.
// Texts cross as UTF-8: the page writes its input into the exchange buffer
// (velmora_buffer) and reads each answer, a JSON text ending in a zero
// byte, from the pointer returned. A run-time error answers
// {"error": "Run-time error 6:\n\nOverflow"}; after one, every call answers
// it again, as the window has stopped.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "json/json_writer.h"
#include "panel/number_panel.h"
#include "window/front_end.h"
#include "window/record_reader.h"
#include "window/web/open_answer.h"
#include "window/web/page_description.h"

namespace {

// What this module answers on opening: velmora-window.wasm is built with
// VELMORA_WEB_DESCRIBES_WINDOW (window/web/CMakeLists.txt) and describes the
// window; velmora.wasm answers the panel alone (open_answer.h).
#if VELMORA_WEB_DESCRIBES_WINDOW
constexpr auto kOpened = velmora::web::Opened::kWindow;
#else
constexpr auto kOpened = velmora::web::Opened::kPanel;
#endif

// The window, with one panel. The page learns the user's decimal separator
// late (velmora_separator), as the browser's number formats are slow to
// start; until then the panel has a point. That is enough for every press
// that writes no separator: a press's answer depends on the user's
// separator only where it writes one (ReadNumber reads only '.', and a
// separator adds nothing to a digit sum and is one character whichever it
// is; NumberPanel::PressWritesSeparator). A press that would write one
// waits for the page to learn it (velmora_press).
struct Page {
  velmora::Layout layout;
  velmora::NumberPanel panel;
  bool separator_known = false;
};

// The user's regional separator as the page gives it: a code point, or -1
// where the browser's number format names none (a point then).
char32_t Regional(int code_point) { return code_point < 0 ? U'.' : static_cast<char32_t>(code_point); }

std::optional<Page> page;
std::vector<std::uint8_t> buffer;
std::string answer;
std::string error;  // set once: the window has stopped

const char* Answer(std::string json) {
  answer = std::move(json);
  return answer.c_str();
}

// Stops the window with the exception being handled: from now on every call
// answers {"error": its box's text}.
const char* Fail() {
  velmora::JsonWriter out;
  out.BeginObject().Key("error");
  out.String(velmora::ErrorText(velmora::AsRuntimeError(std::current_exception()))).EndObject();
  error = std::move(out).Take();
  return error.c_str();
}

// Runs `handler` unless the window has stopped; its failure stops it.
template <typename Handler>
const char* Handle(Handler handler) {
  if (!error.empty()) return error.c_str();
  try {
    if (!page) throw velmora::RuntimeError(velmora::kErrorInternal, "The window is not open");
    return Answer(handler(*page));
  } catch (...) {
    return Fail();
  }
}

// The panel's state after an edit, with what the rule kept of the edit's
// text ("inserted"), the caret after it ("caret", in characters) and
// whether it changes anything ("changes").
std::string EditAnswer(const velmora::NumberPanel& panel, const velmora::FieldEdit& edit) {
  velmora::JsonWriter out;
  out.BeginObject();
  velmora::web::WritePanelState(out, panel);
  out.Key("inserted").String(edit.inserted);
  out.Key("caret").Number(static_cast<std::int64_t>(edit.caret));
  out.Key("changes").Bool(edit.changes).EndObject();
  return std::move(out).Take();
}

std::string_view BufferText(std::size_t size) {
  if (size > buffer.size())
    throw velmora::RuntimeError(velmora::kErrorInvalidArgument, "Invalid procedure call or argument");
  return {reinterpret_cast<const char*>(buffer.data()), size};
}

}  // namespace

extern "C" {

// A buffer of `size` bytes for the page's input to the next call.
EMSCRIPTEN_KEEPALIVE std::uint8_t* velmora_buffer(std::size_t size) {
  buffer.assign(size, 0);
  return buffer.data();
}

// Reads the record of `size` bytes from the buffer and loads the window
// (NumberPanel::Load with the layout's field text). The user's decimal
// separator is not known yet: velmora_separator says it later. Answers as
// open_answer.h says.
EMSCRIPTEN_KEEPALIVE const char* velmora_open(std::size_t size) {
  if (!error.empty()) return error.c_str();
  try {
    const std::span<const std::uint8_t> record(buffer.data(), std::min(size, buffer.size()));
    velmora::Layout layout = velmora::ReadLayoutRecord(record);
    velmora::NumberPanel panel = velmora::web::OpenedPanel(layout, U'.');
    std::string opened = velmora::web::OpenAnswer<kOpened>(layout, panel, record);
    page = Page{std::move(layout), std::move(panel)};
    return Answer(std::move(opened));
  } catch (...) {
    return Fail();
  }
}

// The user's decimal separator, once the page knows it: later presses write
// it. Once known, it must stay the one the panel has. Answers the panel's
// state.
EMSCRIPTEN_KEEPALIVE const char* velmora_separator(int regional_separator) {
  return Handle([regional_separator](Page& p) {
    const char separator = velmora::NumberPanel::SeparatorFor(Regional(regional_separator));
    if (!p.separator_known) {
      p.panel.SetRegionalSeparator(Regional(regional_separator));
      p.separator_known = true;
    } else if (separator != p.panel.DecimalSeparator()) {
      throw velmora::RuntimeError(velmora::kErrorInvalidArgument,
                                  "Invalid procedure call or argument: the separator is set");
    }
    return velmora::web::PanelState(p.panel);
  });
}

// A click on Command1(index). Answers the panel's state (PanelState), or,
// while the page does not know the separator and this press would write
// one, {"separatorNeeded": true} with nothing changed: the page learns it
// (velmora_separator) and presses again.
EMSCRIPTEN_KEEPALIVE const char* velmora_press(int index) {
  return Handle([index](Page& p) -> std::string {
    if (index < INT16_MIN || index > INT16_MAX)
      throw velmora::RuntimeError(velmora::kErrorInvalidArgument, "Invalid procedure call or argument");
    const auto button = static_cast<std::int16_t>(index);
    if (!p.separator_known && p.panel.PressWritesSeparator(button)) return "{\"separatorNeeded\":true}";
    p.panel.OnCommand(button);
    return velmora::web::PanelState(p.panel);
  });
}

// The user's insertion into the field: the buffer's first `size` bytes
// (UTF-8) replace the characters [start, end) of the field's text
// (NumberPanel::Insert). Answers the panel's state with "inserted" and
// "caret" (EditAnswer).
EMSCRIPTEN_KEEPALIVE const char* velmora_insert(std::size_t start, std::size_t end, std::size_t size) {
  return Handle([=](Page& p) {
    return EditAnswer(p.panel, p.panel.Insert({start, end}, BufferText(size)));
  });
}

// A change the browser made to the field by itself: the buffer's first
// `size` bytes are the field's value now, `caret` the caret in it, in
// characters (NumberPanel::Settle). Answers as velmora_insert does.
EMSCRIPTEN_KEEPALIVE const char* velmora_settle(std::size_t size, std::size_t caret) {
  return Handle([=](Page& p) { return EditAnswer(p.panel, p.panel.Settle(BufferText(size), caret)); });
}

}  // extern "C"
