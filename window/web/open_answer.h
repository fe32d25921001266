#pragma once
// What the page's module answers when it has opened the window from its
// record (velmora_open, web_api.cpp). The page's own module, velmora.wasm,
// answers the record's fingerprint and the panel's state, which is all the
// page needs while the record is the one it was built with:
//   {"record": Fingerprint(record), "panel": PanelState(panel)}
// (open_fingerprint.cpp). velmora-window.wasm, which the page loads only
// for another record, and the build's velmora-page-window answer the
// window's whole description with the fingerprint in it (DescribeWindow
// and "record"; open_description.cpp).

#include <cstdint>
#include <span>
#include <string>

#include "panel/number_panel.h"
#include "window/layout.h"

namespace velmora::web {

std::string OpenAnswer(const Layout& layout, const NumberPanel& panel, std::span<const std::uint8_t> record);

}  // namespace velmora::web
