// The icon file: its stored shape and the SVG's picture in the one the build
// made, and its assembly from a 256-colour BMP and an alpha PGM.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/window/built_icon.h"
#include "tests/window/record_walk.h"
#include "window/icon.h"

namespace velmora {
namespace {

using test::Le;
using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<int, 3>;

constexpr std::size_t kPalette = 62, kPixels = kPalette + 1024, kMask = kPixels + 1024;

// The colour at x, y (top-down) in an icon file, or nothing where it is clear.
std::optional<Rgb> Pixel(const Bytes& ico, std::size_t x, std::size_t y) {
  const std::size_t row = 31 - y;  // rows are stored bottom-up
  if (ico[kMask + row * 4 + x / 8] >> (7 - x % 8) & 1) return std::nullopt;
  const std::size_t at = kPalette + 4 * ico[kPixels + row * 32 + x];
  return Rgb{ico[at + 2], ico[at + 1], ico[at]};
}

void ExpectStoredShape(const Bytes& ico) {
  ASSERT_EQ(ico.size(), 2246u);
  EXPECT_EQ(Bytes(ico.begin(), ico.begin() + 6), (Bytes{0, 0, 1, 0, 1, 0}));
  // The entry: 32 x 32, 256 colours, 1 plane, 8 bits, 2224 bytes at 22.
  EXPECT_EQ(Bytes(ico.begin() + 6, ico.begin() + 14), (Bytes{32, 32, 0, 0, 1, 0, 8, 0}));
  EXPECT_EQ(Le(ico, 14, 4), 2224u);
  EXPECT_EQ(Le(ico, 18, 4), 22u);
  // The image's header: 40 bytes, 32 wide, 64 high (pixels and mask), 8 bits,
  // uncompressed, 256 colours.
  EXPECT_EQ(Le(ico, 22, 4), 40u);
  EXPECT_EQ(Le(ico, 26, 4), 32u);
  EXPECT_EQ(Le(ico, 30, 4), 64u);
  EXPECT_EQ(Le(ico, 34, 2), 1u);
  EXPECT_EQ(Le(ico, 36, 2), 8u);
  EXPECT_EQ(Le(ico, 38, 4), 0u);
  EXPECT_EQ(Le(ico, 54, 4), 256u);
  // Palette entries are blue, green, red, 0.
  for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(ico[kPalette + 4 * i + 3], 0) << i;
  // The 8 bytes after the mask are zero.
  EXPECT_EQ(Bytes(ico.end() - 8, ico.end()), Bytes(8, 0));
}

TEST(BuiltIcon, HasTheStoredShape) { ExpectStoredShape(test::BuiltIconFile()); }

// Points of app/icons/velmora.svg as rendered at 32 x 32.
TEST(BuiltIcon, ShowsTheSvgPicture) {
  const Bytes& ico = test::BuiltIconFile();
  ASSERT_EQ(ico.size(), 2246u);
  for (auto [x, y] : {std::pair<std::size_t, std::size_t>{0, 0}, {31, 0}, {0, 31}, {31, 31}})
    EXPECT_EQ(Pixel(ico, x, y), std::nullopt) << "corner " << x << "," << y;
  const Rgb border = {40, 40, 120}, plus = {0, 140, 60}, minus = {200, 30, 30}, digit = {20, 30, 130};
  const struct {
    const char* what;
    std::size_t x, y;
    Rgb colour;
  } points[] = {
      {"border, top", 16, 0, border},    {"border, left", 0, 16, border},
      {"border, bottom", 16, 31, border}, {"border, right", 31, 16, border},
      {"plus, upright", 8, 4, plus},      {"plus, crossbar", 4, 8, plus},
      {"minus", 5, 22, minus},            {"1, stem", 24, 8, digit},
      {"1, foot", 21, 13, digit},         {"2, top", 22, 17, digit},
      {"2, base", 28, 28, digit},
  };
  for (const auto& p : points) EXPECT_EQ(Pixel(ico, p.x, p.y), p.colour) << p.what;

  // The tile: from the window's blue at the top to near white at the bottom.
  const auto near = [](std::optional<Rgb> got, Rgb want) {
    if (!got) return false;
    for (std::size_t i = 0; i < 3; ++i)
      if (std::abs((*got)[i] - want[i]) > 4) return false;
    return true;
  };
  EXPECT_TRUE(near(Pixel(ico, 16, 1), {192, 192, 255}));
  EXPECT_TRUE(near(Pixel(ico, 16, 16), {220, 220, 255}));
  EXPECT_TRUE(near(Pixel(ico, 16, 30), {248, 248, 255}));
}

// A 32 x 32 8-bit BMP: the palette and each pixel's index, top-down rows
// stored either way up.
Bytes Bmp(const std::vector<Rgb>& palette, const std::function<std::uint8_t(std::size_t, std::size_t)>& index,
          bool top_down = false) {
  Bytes b;
  const auto u16 = [&](unsigned v) { b.push_back(static_cast<std::uint8_t>(v)), b.push_back(static_cast<std::uint8_t>(v >> 8)); };
  const auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  const auto offset = static_cast<std::uint32_t>(54 + 4 * palette.size());
  b.push_back('B'), b.push_back('M'), u32(offset + 1024), u32(0), u32(offset);
  u32(40), u32(32), u32(top_down ? static_cast<std::uint32_t>(-32) : 32u), u16(1), u16(8);
  u32(0), u32(1024), u32(2835), u32(2835), u32(static_cast<std::uint32_t>(palette.size())), u32(0);
  for (const Rgb& c : palette)
    for (int v : {c[2], c[1], c[0], 0}) b.push_back(static_cast<std::uint8_t>(v));
  for (std::size_t row = 0; row < 32; ++row)
    for (std::size_t x = 0; x < 32; ++x) b.push_back(index(x, top_down ? row : 31 - row));
  return b;
}

Bytes Pgm(const std::function<std::uint8_t(std::size_t, std::size_t)>& alpha,
          const std::string& header = "P5\n# alpha\n32 32\n255\n") {
  Bytes b(header.begin(), header.end());
  for (std::size_t y = 0; y < 32; ++y)
    for (std::size_t x = 0; x < 32; ++x) b.push_back(alpha(x, y));
  return b;
}

const std::vector<Rgb> kThree = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
std::uint8_t Stripes(std::size_t x, std::size_t) { return static_cast<std::uint8_t>(x % 3); }
std::uint8_t Opaque(std::size_t, std::size_t) { return 255; }

TEST(IconFile, TakesRowsEitherWayUpAndPadsThePalette) {
  const auto rows = [](std::size_t, std::size_t y) { return static_cast<std::uint8_t>(y < 16 ? 0 : 1); };
  const Bytes ico = MakeIconFile(Bmp(kThree, rows), Pgm(Opaque));
  ExpectStoredShape(ico);
  EXPECT_EQ(MakeIconFile(Bmp(kThree, rows, true), Pgm(Opaque)), ico);
  EXPECT_EQ(Pixel(ico, 5, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(Pixel(ico, 5, 31), (Rgb{0, 0, 255}));
  for (std::size_t i = 3; i < 256; ++i) EXPECT_EQ(Le(ico, kPalette + 4 * i, 4), 0u) << i;
  EXPECT_EQ(Bytes(ico.begin() + kMask, ico.begin() + kMask + 128), Bytes(128, 0));
}

// The colour a pixel's index names, whether or not the mask clears it.
Rgb Behind(const Bytes& ico, std::size_t x, std::size_t y) {
  const std::size_t at = kPalette + 4 * ico[kPixels + (31 - y) * 32 + x];
  return Rgb{ico[at + 2], ico[at + 1], ico[at]};
}

TEST(IconFile, ClearBelowHalfAlphaWithBlackBehind) {
  // Alpha 127 of 255 is clear, 128 is not: here the left half is clear.
  const auto alpha = [](std::size_t x, std::size_t) { return static_cast<std::uint8_t>(x < 16 ? 127 : 128); };
  const std::vector<Rgb> with_black = {{255, 0, 0}, {0, 0, 0}, {0, 255, 0}};
  for (const auto& palette : {kThree, with_black}) {
    const Bytes ico = MakeIconFile(Bmp(palette, Stripes), Pgm(alpha));
    for (std::size_t y = 0; y < 32; ++y) {
      for (std::size_t x = 0; x < 32; ++x) {
        if (x < 16) {
          ASSERT_EQ(Pixel(ico, x, y), std::nullopt) << x << "," << y;
          ASSERT_EQ(Behind(ico, x, y), (Rgb{0, 0, 0})) << x << "," << y;
        } else {
          ASSERT_EQ(Pixel(ico, x, y), palette[x % 3]) << x << "," << y;
        }
      }
    }
  }
}

TEST(IconFile, RefusesWhatIsNoSuchPicture) {
  const Bytes bmp = Bmp(kThree, Stripes), pgm = Pgm(Opaque);
  const auto clear_corner = [](std::size_t x, std::size_t y) { return static_cast<std::uint8_t>(x + y == 0 ? 0 : 255); };
  std::vector<Rgb> full;
  for (int i = 0; i < 256; ++i) full.push_back({i, 255 - i, 1});
  const auto with = [](Bytes b, std::size_t at, std::uint8_t v) { return b[at] = v, b; };
  const auto cut = [](const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); };
  const struct {
    const char* what;
    Bytes bmp, pgm;
  } cases[] = {
      {"not a BMP", with(bmp, 0, 'P'), pgm},
      {"BMP cut in its header", cut(bmp, 40), pgm},
      {"BMP cut in its palette", cut(bmp, 60), pgm},
      {"BMP cut in its pixels", cut(bmp, bmp.size() - 1), pgm},
      {"16 pixels wide", with(bmp, 18, 16), pgm},
      {"4 bits per pixel", with(bmp, 28, 4), pgm},
      {"compressed", with(bmp, 30, 1), pgm},
      {"palette of 257", with(with(bmp, 46, 1), 47, 1), pgm},
      {"index beyond the palette", with(bmp, bmp.size() - 1, 3), pgm},
      {"BMP header of 12 bytes", with(bmp, 14, 12), pgm},
      {"not a binary PGM", bmp, with(pgm, 1, '2')},
      {"PGM of 16 x 32", bmp, Pgm(Opaque, "P5 16 32 255 ")},
      {"PGM of 16-bit values", bmp, Pgm(Opaque, "P5 32 32 65535 ")},
      {"PGM header cut", bmp, cut(pgm, 8)},
      {"PGM cut in its pixels", bmp, cut(pgm, pgm.size() - 1)},
      {"clear pixel, full palette without black", Bmp(full, Stripes), Pgm(clear_corner)},
  };
  for (const auto& c : cases) EXPECT_THROW(MakeIconFile(c.bmp, c.pgm), IconInputError) << c.what;
  // A full palette is fine while nothing is clear.
  EXPECT_NO_THROW(MakeIconFile(Bmp(full, Stripes), pgm));
}

}  // namespace
}  // namespace velmora
