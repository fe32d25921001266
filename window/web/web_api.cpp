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

#include "panel/number_panel.h"
#include "window/front_end.h"
#include "window/record_reader.h"
#include "window/web/open_answer.h"
#include "window/web/page_description.h"

namespace {

// While the page does not know the user's decimal separator, the window
// is kept twice, with '.' (panel) and with ',' (comma): a press that both
// answer alike needs no separator, and learning it only picks one.
struct Page {
  velmora::Layout layout;
  velmora::NumberPanel panel;
  std::optional<velmora::NumberPanel> comma;
};

// The user's regional separator as the page gives it: a code point, or -1
// while the page does not know it (a point until then).
char32_t Regional(int code_point) { return code_point < 0 ? U'.' : static_cast<char32_t>(code_point); }

std::optional<Page> page;
std::vector<std::uint8_t> buffer;
std::string answer;
std::string error;  // set once: the window has stopped

const char* Answer(std::string json) {
  answer = std::move(json);
  return answer.c_str();
}

// The answer for the exception being handled: {"error": its box's text}.
std::string ErrorAnswer() {
  return "{\"error\":" +
         velmora::web::JsonString(velmora::ErrorText(velmora::AsRuntimeError(std::current_exception()))) +
         "}";
}

const char* Fail() {
  error = ErrorAnswer();
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

// The panel's state after an edit, with the edit's caret.
std::string StateWithCaret(const velmora::NumberPanel& panel, const velmora::FieldEdit& edit) {
  std::string state = velmora::web::PanelState(panel);
  state.pop_back();  // the closing brace
  return state + ",\"caret\":" + std::to_string(edit.caret) + "}";
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
// (NumberPanel::Load with the layout's field text). `regional_separator` is
// the user's decimal separator as a code point, or -1 while the page does
// not know it yet (velmora_separator says it later). Answers as
// open_answer.h says.
EMSCRIPTEN_KEEPALIVE const char* velmora_open(std::size_t size, int regional_separator) {
  if (!error.empty()) return error.c_str();
  try {
    const std::span<const std::uint8_t> record(buffer.data(), std::min(size, buffer.size()));
    velmora::Layout layout = velmora::ReadLayoutRecord(record);
    velmora::NumberPanel panel = velmora::web::OpenedPanel(layout, Regional(regional_separator));
    Page opened{std::move(layout), std::move(panel), std::nullopt};
    if (regional_separator < 0) opened.comma = velmora::web::OpenedPanel(opened.layout, U',');
    std::string opened_answer = velmora::web::OpenAnswer(opened.layout, opened.panel, record);
    page = std::move(opened);
    return Answer(std::move(opened_answer));
  } catch (...) {
    return Fail();
  }
}

// The user's decimal separator, once the page knows it: the window keeps
// the panel that has it. Later it must be the one the panel has. Answers
// the panel's state.
EMSCRIPTEN_KEEPALIVE const char* velmora_separator(int regional_separator) {
  return Handle([regional_separator](Page& p) {
    const char separator = velmora::NumberPanel::SeparatorFor(Regional(regional_separator));
    if (p.comma) {
      if (separator == ',') p.panel = std::move(*p.comma);
      p.comma.reset();
    } else if (separator != p.panel.DecimalSeparator()) {
      throw velmora::RuntimeError(velmora::kErrorInvalidArgument,
                                  "Invalid procedure call or argument: the separator is set");
    }
    return velmora::web::PanelState(p.panel);
  });
}

// A click on Command1(index). Answers the panel's state (PanelState), or,
// while the page does not know the separator and the answer depends on it,
// {"separatorNeeded": true} with nothing changed: the page learns it
// (velmora_separator) and asks again.
EMSCRIPTEN_KEEPALIVE const char* velmora_press(int index) {
  return Handle([index](Page& p) -> std::string {
    if (index < INT16_MIN || index > INT16_MAX)
      throw velmora::RuntimeError(velmora::kErrorInvalidArgument, "Invalid procedure call or argument");
    const auto button = static_cast<std::int16_t>(index);
    if (!p.comma) {
      p.panel.OnCommand(button);
      return velmora::web::PanelState(p.panel);
    }
    // Each panel's answer: its state, or its run-time error.
    auto press = [button](velmora::NumberPanel& panel) -> std::string {
      try {
        panel.OnCommand(button);
        return velmora::web::PanelState(panel);
      } catch (...) {
        return ErrorAnswer();
      }
    };
    velmora::NumberPanel dot = p.panel;
    velmora::NumberPanel comma = *p.comma;
    const std::string state = press(dot);
    if (press(comma) != state) return "{\"separatorNeeded\":true}";
    p.panel = std::move(dot);
    p.comma = std::move(comma);
    if (state.starts_with("{\"error\":")) error = state;  // both failed alike: stopped
    return state;
  });
}

// The user's insertion into the field: the buffer's first `size` bytes
// (UTF-8) replace the characters [start, end) of the field's text
// (NumberPanel::Insert). Answers the panel's state with "caret", in
// characters.
EMSCRIPTEN_KEEPALIVE const char* velmora_insert(std::size_t start, std::size_t end, std::size_t size) {
  return Handle([=](Page& p) {
    if (p.comma) p.comma->Insert({start, end}, BufferText(size));
    return StateWithCaret(p.panel, p.panel.Insert({start, end}, BufferText(size)));
  });
}

// A change the browser made to the field by itself: the buffer's first
// `size` bytes are the field's value now, `caret` the caret in it, in
// characters (NumberPanel::Settle). Answers as velmora_insert does.
EMSCRIPTEN_KEEPALIVE const char* velmora_settle(std::size_t size, std::size_t caret) {
  return Handle([=](Page& p) {
    if (p.comma) p.comma->Settle(BufferText(size), caret);
    return StateWithCaret(p.panel, p.panel.Settle(BufferText(size), caret));
  });
}

}  // extern "C"
