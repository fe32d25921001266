// The page's own module answers the record's fingerprint and the panel
// (open_answer.h): the window's description stays out of it.
#include "window/bytes.h"
#include "window/web/open_answer.h"
#include "window/web/page_description.h"

namespace velmora::web {

std::string OpenAnswer(const Layout&, const NumberPanel& panel, std::span<const std::uint8_t> record) {
  return "{\"record\":\"" + Fingerprint(record) + "\",\"panel\":" + PanelState(panel) + "}";
}

}  // namespace velmora::web
