#pragma once
// The window Velmora as data: the layout that the build writes into the
// stored record. The front ends do not use this table; they read the record.

#include "window/layout.h"

namespace velmora {

// The window and its seven controls, in record order, without an icon.
const Layout& VelmoraLayout();

// The same with its icon file (.ico), which the build makes from
// app/icons/velmora.svg (window/icon.h).
Layout VelmoraLayout(std::vector<std::uint8_t> icon_file);

}  // namespace velmora
