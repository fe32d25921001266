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
#include "window/web/page_description.h"

namespace {

struct Page {
  velmora::Layout layout;
  velmora::NumberPanel panel;
  bool pressed = false;
};

// The user's regional separator as the page gives it: a code point, or -1
// while the page does not know it (a point until then).
char32_t Regional(int code_point) { return code_point < 0 ? U'.' : static_cast<char32_t>(code_point); }

// The window's panel, loaded with the field's text.
velmora::NumberPanel LoadedPanel(std::string_view field_text, char32_t regional_separator) {
  velmora::NumberPanel panel(regional_separator);
  panel.Load(field_text);
  return panel;
}

std::optional<Page> page;
std::vector<std::uint8_t> buffer;
std::string answer;
std::string error;  // set once: the window has stopped

const char* Answer(std::string json) {
  answer = std::move(json);
  return answer.c_str();
}

const char* Fail() {
  error = "{\"error\":" +
          velmora::web::JsonString(velmora::ErrorText(velmora::AsRuntimeError(std::current_exception()))) +
          "}";
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
// not know it yet (velmora_separator says it later). Answers the window's
// description (DescribeWindow).
EMSCRIPTEN_KEEPALIVE const char* velmora_open(std::size_t size, int regional_separator) {
  if (!error.empty()) return error.c_str();
  try {
    const std::span<const std::uint8_t> record(buffer.data(), std::min(size, buffer.size()));
    velmora::Layout layout = velmora::ReadLayoutRecord(record);
    const std::string field_text = velmora::BindPanel(layout).field->text;
    Page opened{std::move(layout), LoadedPanel(field_text, Regional(regional_separator))};
    std::string description = velmora::web::DescribeWindow(opened.layout, opened.panel);
    page = std::move(opened);
    return Answer(std::move(description));
  } catch (...) {
    return Fail();
  }
}

// The user's decimal separator, once the page knows it: the separator only
// shapes what a press writes, so until the first press the panel is loaded
// again with it, keeping the field's text. (Finding it out can take the
// browser longer than everything else at start-up.) Later it must be the
// one the panel has. Answers the panel's state.
EMSCRIPTEN_KEEPALIVE const char* velmora_separator(int regional_separator) {
  return Handle([regional_separator](Page& p) {
    const char separator = velmora::NumberPanel::SeparatorFor(Regional(regional_separator));
    if (separator != p.panel.DecimalSeparator()) {
      if (p.pressed)
        throw velmora::RuntimeError(velmora::kErrorInvalidArgument,
                                    "Invalid procedure call or argument: the separator is set");
      p.panel = LoadedPanel(p.panel.FieldText(), Regional(regional_separator));
    }
    return velmora::web::PanelState(p.panel);
  });
}

// A click on Command1(index). Answers the panel's state (PanelState).
EMSCRIPTEN_KEEPALIVE const char* velmora_press(int index) {
  return Handle([index](Page& p) {
    if (index < INT16_MIN || index > INT16_MAX)
      throw velmora::RuntimeError(velmora::kErrorInvalidArgument, "Invalid procedure call or argument");
    p.pressed = true;
    p.panel.OnCommand(static_cast<std::int16_t>(index));
    return velmora::web::PanelState(p.panel);
  });
}

// The user's insertion into the field: the buffer's first `size` bytes
// (UTF-8) replace the characters [start, end) of the field's text
// (NumberPanel::Insert). Answers the panel's state with "caret", in
// characters.
EMSCRIPTEN_KEEPALIVE const char* velmora_insert(std::size_t start, std::size_t end, std::size_t size) {
  return Handle([=](Page& p) { return StateWithCaret(p.panel, p.panel.Insert({start, end}, BufferText(size))); });
}

// A change the browser made to the field by itself: the buffer's first
// `size` bytes are the field's value now, `caret` the caret in it, in
// characters (NumberPanel::Settle). Answers as velmora_insert does.
EMSCRIPTEN_KEEPALIVE const char* velmora_settle(std::size_t size, std::size_t caret) {
  return Handle([=](Page& p) { return StateWithCaret(p.panel, p.panel.Settle(BufferText(size), caret)); });
}

}  // extern "C"
