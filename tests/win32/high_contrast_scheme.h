#pragma once
// A high-contrast scheme in the system's colours, white on black as the one
// that comes with Windows, for as long as the object lives: the dialog and
// button face and the window black, their texts white, the buttons' edges
// in white and greys. (Wine cannot turn high contrast itself on; a test
// sets the colours and tells the window that it is on.)

#include <windows.h>

#include <iterator>

namespace velmora::win32::test {

class HighContrastScheme {
 public:
  HighContrastScheme() {
    static constexpr COLORREF kScheme[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
                                           RGB(255, 255, 255), RGB(255, 255, 255), RGB(128, 128, 128),
                                           RGB(192, 192, 192), RGB(255, 255, 255)};
    for (std::size_t i = 0; i < std::size(kParts); ++i) saved_[i] = GetSysColor(kParts[i]);
    SetSysColors(static_cast<int>(std::size(kParts)), kParts, kScheme);
  }
  ~HighContrastScheme() { SetSysColors(static_cast<int>(std::size(kParts)), kParts, saved_); }
  HighContrastScheme(const HighContrastScheme&) = delete;
  HighContrastScheme& operator=(const HighContrastScheme&) = delete;

 private:
  static constexpr INT kParts[] = {COLOR_BTNFACE,    COLOR_BTNTEXT,      COLOR_WINDOW,
                                   COLOR_WINDOWTEXT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,
                                   COLOR_3DLIGHT,    COLOR_3DDKSHADOW};
  COLORREF saved_[std::size(kParts)] = {};
};

}  // namespace velmora::win32::test
