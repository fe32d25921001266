#include "window/win32/handles.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "numbers/runtime_error.h"
#include "window/icon_image.h"
#include "window/win32/text.h"

namespace velmora::win32 {

OwnedFont MakeFont(const FontLook& look, UINT dpi) {
  LOGFONTW logfont{};
  // A negative height asks for the character height, which is what a
  // point size means.
  logfont.lfHeight = -look.PixelHeight(dpi);
  logfont.lfWeight = look.weight;
  logfont.lfItalic = look.italic ? TRUE : FALSE;
  logfont.lfUnderline = look.underline ? TRUE : FALSE;
  logfont.lfStrikeOut = look.strike_out ? TRUE : FALSE;
  logfont.lfCharSet = static_cast<BYTE>(look.charset);
  logfont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logfont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logfont.lfQuality = DEFAULT_QUALITY;
  logfont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Utf16(look.family);
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::memcpy(logfont.lfFaceName, face.data(), n * sizeof(wchar_t));
  OwnedFont made(CreateFontIndirectW(&logfont));
  if (!made) throw RuntimeError(kErrorBadLayout, "The window's font cannot be made");
  return made;
}

// An icon from the first image of the record's icon file, or none.
OwnedIcon MakeIcon(const std::vector<std::uint8_t>& file, int size) {
  const std::span<const std::uint8_t> image = FirstIconImage(file);
  if (image.empty()) return nullptr;
  return OwnedIcon(CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                            static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                            size, size, LR_DEFAULTCOLOR));
}

}  // namespace velmora::win32
