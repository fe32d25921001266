// The icon file's stated structure, and the PNG showing the same picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/window/record_walk.h"
#include "window/icon.h"

namespace velmora {
namespace {

using test::Le;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t Be(const Bytes& b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

TEST(Icon, FileStructure) {
  const Bytes ico = MakeIconFile();
  ASSERT_EQ(ico.size(), 2246u);
  EXPECT_EQ(Bytes(ico.begin(), ico.begin() + 6), (Bytes{0, 0, 1, 0, 1, 0}));
  // The entry: 32 x 32, 256 colours, 1 plane, 8 bits, 2224 bytes at 22.
  EXPECT_EQ(Bytes(ico.begin() + 6, ico.begin() + 14), (Bytes{32, 32, 0, 0, 1, 0, 8, 0}));
  EXPECT_EQ(Le(ico, 14, 4), 2224u);
  EXPECT_EQ(Le(ico, 18, 4), 22u);
  // The image's header: 40 bytes, 32 wide, 64 high (pixels and mask), 8 bits.
  EXPECT_EQ(Le(ico, 22, 4), 40u);
  EXPECT_EQ(Le(ico, 26, 4), 32u);
  EXPECT_EQ(Le(ico, 30, 4), 64u);
  EXPECT_EQ(Le(ico, 34, 2), 1u);
  EXPECT_EQ(Le(ico, 36, 2), 8u);
  EXPECT_EQ(Le(ico, 38, 4), 0u);  // uncompressed
  // Palette entries are blue, green, red, 0.
  for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(ico[62 + 4 * i + 3], 0) << i;
  // The mask (rows bottom-up): the corners clear, the middle opaque.
  const std::size_t mask = 62 + 1024 + 1024;
  EXPECT_EQ(ico[mask] & 0x80, 0x80);              // bottom left
  EXPECT_EQ(ico[mask + 31 * 4 + 3] & 0x01, 0x01); // top right
  EXPECT_EQ(ico[mask + 16 * 4 + 1], 0);
  // The 8 bytes after the mask are zero.
  EXPECT_EQ(Bytes(ico.end() - 8, ico.end()), Bytes(8, 0));
}

TEST(Icon, PngShowsTheSamePicture) {
  const Bytes ico = MakeIconFile();
  const Bytes png = MakeIconPng();
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

  // Chunks, each with a correct CRC.
  std::vector<std::pair<std::string, Bytes>> chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t n = Be(png, at);
    ASSERT_LE(at + 12 + n, png.size());
    const Bytes typed(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8 + n));
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : typed) {
      crc ^= b;
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    EXPECT_EQ(~crc, Be(png, at + 8 + n));
    chunks.push_back({std::string(typed.begin(), typed.begin() + 4), Bytes(typed.begin() + 4, typed.end())});
    at += 12 + n;
  }
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].first, "IHDR");
  EXPECT_EQ(chunks[0].second, (Bytes{0, 0, 0, 32, 0, 0, 0, 32, 8, 6, 0, 0, 0}));
  EXPECT_EQ(chunks[1].first, "IDAT");
  EXPECT_EQ(chunks[2].first, "IEND");

  // One stored block of 32 scan lines: filter 0, then RGBA; each pixel is
  // the icon's palette colour, clear where the icon's mask is.
  const Bytes& z = chunks[1].second;
  ASSERT_EQ(z.size(), 2u + 5 + 32 * 129 + 4);
  EXPECT_EQ(z[2], 1);
  EXPECT_EQ(Le(z, 3, 2), 32u * 129);
  for (std::size_t y = 0; y < 32; ++y) {
    const std::size_t line = 7 + y * 129;
    EXPECT_EQ(z[line], 0);
    for (std::size_t x = 0; x < 32; ++x) {
      const std::size_t row = 31 - y;  // icon rows are bottom-up
      const std::size_t index = ico[62 + 1024 + row * 32 + x];
      const bool clear = (ico[62 + 2048 + row * 4 + x / 8] >> (7 - x % 8)) & 1;
      const std::size_t p = line + 1 + 4 * x;
      const Bytes want = {ico[62 + 4 * index + 2], ico[62 + 4 * index + 1], ico[62 + 4 * index],
                          static_cast<std::uint8_t>(clear ? 0 : 255)};
      ASSERT_EQ(Bytes(z.begin() + static_cast<std::ptrdiff_t>(p), z.begin() + static_cast<std::ptrdiff_t>(p + 4)), want)
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace velmora
