#pragma once
// The window's icon from the icon file (.ico) that the stored layout holds:
// the bytes of its first image, for toolkits that read icon images
// themselves, and that image decoded to pixels, for those that take pixels.
// No toolkit or image library is involved.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

// The first image's bytes as the file's directory gives them (a bitmap
// header, palette, pixels and mask, or a PNG stream), checked to lie inside
// the file; empty when the file names no image or names one outside it.
std::span<const std::uint8_t> FirstIconImage(std::span<const std::uint8_t> icon_file);

struct IconPixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;  // rows top-down, 0xAARRGGBB, straight alpha
};

// The first image, decoded: bitmap images of 1, 4 or 8 bits per pixel with
// a palette, or of 24 or 32 bits, with the AND mask making pixels
// transparent (a 32-bit image with any alpha uses its alpha instead).
// nullopt for anything else or anything inconsistent (sizes, offsets,
// palette) rather than reading outside the file.
std::optional<IconPixels> DecodeIcon(std::span<const std::uint8_t> icon_file);

}  // namespace velmora
