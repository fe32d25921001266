#pragma once
// The program's icon file, assembled from the picture the build renders from
// app/icons/velmora.svg: 32 x 32 pixels in 256 colours.
//
// The file is written here, not by an icon tool, because the stored layout
// record holds it at one fixed layout: 2246 bytes, the image 2224 of them,
// and the record's reader refuses any other length. Icon tools write this
// picture's image in 2216 bytes, without the 8 closing bytes (ImageMagick's
// ICO: makes a 2238-byte file of it). The picture itself is made by real
// tools: rsvg-convert renders the SVG, ImageMagick reduces it to 256
// colours and cuts its alpha (tools/record.cmake).

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace velmora {

inline constexpr int kIconSize = 32;                 // pixels, square
inline constexpr std::size_t kIconImageBytes = 2224; // the image in the file
inline constexpr std::size_t kIconFileBytes = 22 + kIconImageBytes;

// Input the icon cannot be made from: its message says what is wrong.
class IconInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The icon file (.ico) from the picture's colours, an uncompressed 8-bit
// BMP (palette of at most 256 colours, rows either way up), and its alpha
// channel, a binary PGM of the same size; pixels below half opacity are
// clear. The file: a 6-byte directory, one 16-byte entry (32 x 32, 8 bits
// per pixel, 2224 bytes at offset 22) and the image: a 40-byte header
// (height doubled for the mask), 1024-byte palette, 1024 bytes of pixels
// (rows bottom-up), a 128-byte mask (1 = clear) and 8 zero bytes that bring
// the image to its stored size; readers go by the header and skip them.
// Clear pixels are given a black palette entry, since the screen shows the
// pixel's colour combined with what the mask leaves of the background.
// Throws IconInputError on input that is not such a picture.
std::vector<std::uint8_t> MakeIconFile(std::span<const std::uint8_t> bmp,
                                       std::span<const std::uint8_t> alpha_pgm);

}  // namespace velmora
