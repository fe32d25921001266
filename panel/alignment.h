#pragma once
// A text's alignment in its box, numbered as the stored layout numbers it.
// The panel keeps the field's; the layout keeps each control's.

#include <cstdint>

namespace velmora {

enum class Alignment : std::uint8_t { Left = 0, Right = 1, Centre = 2 };

}  // namespace velmora
