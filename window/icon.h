#pragma once
// The program's icon: one 32 x 32 picture in 256 colours, drawn here from
// source. It shows a plus over a minus beside the digits 1 and 2 on a light
// blue tile with rounded corners.

#include <cstdint>
#include <vector>

namespace velmora {

inline constexpr int kIconSize = 32;                 // pixels, square
inline constexpr std::size_t kIconImageBytes = 2224; // the image in the file
inline constexpr std::size_t kIconFileBytes = 22 + kIconImageBytes;

// The icon file (.ico): a 6-byte directory, one 16-byte entry (32 x 32,
// 8 bits per pixel, 2224 bytes at offset 22) and the image: a 40-byte
// header (height doubled for the mask), 1024-byte palette, 1024 bytes of
// pixels (rows bottom-up), a 128-byte mask (1 = transparent) and 8 zero
// bytes that bring the image to its stored size; readers go by the header
// and skip them.
std::vector<std::uint8_t> MakeIconFile();

// The same picture as a PNG file (32 x 32, 8-bit RGBA, stored deflate),
// for desktop use.
std::vector<std::uint8_t> MakeIconPng();

}  // namespace velmora
