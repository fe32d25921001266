#pragma once
// The icon file this build made from app/icons/velmora.svg, and the layout
// table with it: the layout the stored record holds.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "window/layout_data.h"

namespace velmora::test {

inline const std::vector<std::uint8_t>& BuiltIconFile() {
  static const std::vector<std::uint8_t> file = [] {
    std::ifstream in(VELMORA_ICON_FILE, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " VELMORA_ICON_FILE);
    return std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }();
  return file;
}

inline const Layout& BuiltLayout() {
  static const Layout layout = VelmoraLayout(BuiltIconFile());
  return layout;
}

}  // namespace velmora::test
