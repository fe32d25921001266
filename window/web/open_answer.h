#pragma once
// What the page's module answers when it has opened the window from its
// record (velmora_open, web_api.cpp). Two answers, one chosen explicitly by
// each caller:
//   OpenAnswer<Opened::kPanel>:  {"record": Fingerprint(record),
//                                 "panel": PanelState(panel)}
//     what the page's own module, velmora.wasm, answers: all the page needs
//     while the record is the one it was built with, whose window the page
//     already shows;
//   OpenAnswer<Opened::kWindow>: {"record": Fingerprint(record), and the
//                                 members of DescribeWindow(layout, panel)}
//     what velmora-window.wasm (which the page loads only for another
//     record) and the build's velmora-page-window answer.
// The choice is a template argument, so that a module that only ever asks
// for the panel does not hold the window's description at all.

#include <cstdint>
#include <span>
#include <string>

#include "panel/number_panel.h"
#include "window/layout.h"

namespace velmora::web {

enum class Opened { kPanel, kWindow };

template <Opened kAnswer>
std::string OpenAnswer(const Layout& layout, const NumberPanel& panel, std::span<const std::uint8_t> record);

}  // namespace velmora::web
