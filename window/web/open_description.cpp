// The window's whole description with the record's fingerprint in it
// (open_answer.h), for velmora-window.wasm and the build.
#include "window/bytes.h"
#include "window/web/open_answer.h"
#include "window/web/page_description.h"

namespace velmora::web {

std::string OpenAnswer(const Layout& layout, const NumberPanel& panel, std::span<const std::uint8_t> record) {
  std::string description = DescribeWindow(layout, panel);
  description.pop_back();  // the closing brace
  return description + ",\"record\":\"" + Fingerprint(record) + "\"}";
}

}  // namespace velmora::web
