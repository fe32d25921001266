#pragma once
// The window's icon from the icon file (.ico) that the stored layout holds:
// the bytes of its first image, for toolkits that read icon images
// themselves, and that image decoded to pixels, for those that take pixels.
// No toolkit or image library is involved.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// What is wrong with an icon file's directory, and where in the file.
struct IconFileFault {
  std::size_t offset;
  std::string what;  // "expected icon directory 00 00 01 00, found 00 00 02 00"
};

// Checks the directory against the file's own bytes: at least 22 bytes, the
// 6-byte header 00 00 01 00 with an image count of 1 or more, then one
// 16-byte entry per image, each naming an image of 1 byte or more that lies
// in the file after the entries. nullopt when all of it holds.
std::optional<IconFileFault> CheckIconDirectory(std::span<const std::uint8_t> icon_file);

// The first image's bytes as the file's directory gives them (a bitmap
// header, palette, pixels and mask, or a PNG stream); empty when the
// directory fails CheckIconDirectory.
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
