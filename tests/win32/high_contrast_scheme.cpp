#include "tests/win32/high_contrast_scheme.h"

namespace velmora::win32::test {

HighContrastScheme::HighContrastScheme() {
  for (std::size_t i = 0; i < std::size(kParts); ++i) saved_[i] = GetSysColor(kParts[i]);
  const COLORREF scheme[std::size(kParts)] = {
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)};
  SetSysColors(static_cast<int>(std::size(kParts)), kParts, scheme);
}

HighContrastScheme::~HighContrastScheme() {
  SetSysColors(static_cast<int>(std::size(kParts)), kParts, saved_);
}

}  // namespace velmora::win32::test
