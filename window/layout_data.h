#pragma once
// The window Velmora as data: the layout that the build writes into the
// stored record. The front ends do not use this table; they read the record.

#include "window/layout.h"

namespace velmora {

// The window and its seven controls, in record order, with the icon drawn
// by MakeIconFile().
const Layout& VelmoraLayout();

}  // namespace velmora
