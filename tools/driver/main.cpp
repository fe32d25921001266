// velmora-driver: drives the core from other programs. It reads JSON Lines
// on standard input, one request object a line, and writes exactly one JSON
// line per request to standard output, flushed at once:
//
//   {"op":"read","text":T}          -> {"bits":"<16 hex digits>","value":"<shortest text>"}
//   {"op":"write","bits":H,"sep":S} -> {"text":S}           (sep "." or ",", default ".")
//   {"op":"int16","bits":H}         -> {"int16":N}
//   {"op":"digitsum","text":T}      -> {"sum":N}
//   {"op":"press","text":T,"button":0|1,"sep":S} -> {"field":F,"topLine":T}
//   {"op":"record"}                 -> {"hex":"<the embedded layout record>"}
//   {"op":"layout"[,"hex":H]}       -> the decoded layout (see ops_layout.cpp)
//   {"op":"page"}                   -> the web page's description of the window
//
// A run-time error of the core answers {"runtime_error":N,"description":D};
// a line that is not a valid request answers {"error":"<what is wrong>"}.
// Either way the driver goes on with the next line.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "numbers/runtime_error.h"
#include "tools/driver/driver.h"

namespace velmora::driver {
namespace {

OpHandler FindOp(const std::string& name) {
  for (auto group : {NumberOps(), LayoutOps()})
    for (const Op& op : group)
      if (op.name == name) return op.handler;
  return nullptr;
}

Json Answer(const std::string& line) {
  const Json request = Json::parse(line, nullptr, /*allow_exceptions=*/false);
  if (request.is_discarded()) return {{"error", "the line is not valid JSON"}};
  if (!request.is_object()) return {{"error", "a request must be a JSON object"}};
  try {
    const std::string& name = RequireString(request, "op");
    const OpHandler handler = FindOp(name);
    if (handler == nullptr) return {{"error", "unknown op \"" + name + "\""}};
    return handler(request);
  } catch (const RequestError& e) {
    return {{"error", e.what()}};
  } catch (const RuntimeError& e) {
    return {{"runtime_error", e.Number()}, {"description", e.Description()}};
  } catch (const std::exception& e) {
    return {{"error", std::string("cannot answer: ") + e.what()}};
  }
}

}  // namespace
}  // namespace velmora::driver

int main() {
  using velmora::driver::Json;
#ifdef _WIN32
  // Lines end in "\n" on every system: no "\r" added on output, and a
  // Ctrl-Z byte in a request is text, not the end of the input.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    const Json answer = velmora::driver::Answer(line);
    std::cout << answer.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
  }
  return 0;
}
