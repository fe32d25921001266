#include "window/icon.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace velmora {
namespace {

struct Rgb {
  std::uint8_t r, g, b;
};

// Palette: 0..15 fixed colours, 16..39 the tile's gradient from top to
// bottom, 40..255 an even 6 x 6 x 6 colour cube that fills it out.
enum : std::uint8_t {
  kTransparent = 0,
  kBorder = 1,
  kPlus = 2,
  kMinus = 3,
  kDigit = 4,
  kGradient = 16,
  kGradientSteps = 24,
  kCube = 40,
};

std::array<Rgb, 256> Palette() {
  std::array<Rgb, 256> p{};
  p[kBorder] = {40, 40, 120};
  p[kPlus] = {0, 140, 60};
  p[kMinus] = {200, 30, 30};
  p[kDigit] = {20, 30, 130};
  for (int i = 5; i < kGradient; ++i) {  // greys
    const auto v = static_cast<std::uint8_t>(i * 16);
    p[static_cast<std::size_t>(i)] = {v, v, v};
  }
  // From the window's background, RGB(192, 192, 255), to near white.
  for (int i = 0; i < kGradientSteps; ++i) {
    const auto v = static_cast<std::uint8_t>(192 + i * 56 / (kGradientSteps - 1));
    p[static_cast<std::size_t>(kGradient + i)] = {v, v, 255};
  }
  for (int i = 0; i < 216; ++i) {
    const auto level = [](int step) { return static_cast<std::uint8_t>(step * 51); };
    p[static_cast<std::size_t>(kCube + i)] = {level(i / 36), level(i / 6 % 6), level(i % 6)};
  }
  return p;
}

// Glyphs five pixels wide, drawn at twice their size.
constexpr std::string_view kGlyphPlus =
    "..#.."
    "..#.."
    "#####"
    "..#.."
    "..#..";
constexpr std::string_view kGlyphMinus =
    "....."
    "....."
    "#####"
    "....."
    ".....";
constexpr std::string_view kGlyphOne =
    "..#.."
    ".##.."
    "..#.."
    "..#.."
    "..#.."
    ".###.";
constexpr std::string_view kGlyphTwo =
    ".###."
    "#...#"
    "...#."
    "..#.."
    ".#..."
    "#####";

// The picture, rows top-down: a palette index and a transparency per pixel.
struct Picture {
  std::array<std::uint8_t, kIconSize * kIconSize> index{};
  std::array<bool, kIconSize * kIconSize> clear{};
  std::uint8_t& At(int x, int y) { return index[static_cast<std::size_t>(y * kIconSize + x)]; }
};

void DrawGlyph(Picture& pic, std::string_view glyph, int left, int top, std::uint8_t colour) {
  const int rows = static_cast<int>(glyph.size() / 5);
  for (int gy = 0; gy < rows; ++gy)
    for (int gx = 0; gx < 5; ++gx)
      if (glyph[static_cast<std::size_t>(gy * 5 + gx)] == '#')
        for (int d = 0; d < 4; ++d) pic.At(left + 2 * gx + d % 2, top + 2 * gy + d / 2) = colour;
}

Picture Draw() {
  Picture pic;
  constexpr int last = kIconSize - 1;
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      // Rounded corners: each corner pixel and its two neighbours along the
      // edges are cut away, and the border runs diagonally past them.
      const int dx = x < 2 ? 2 - x : x > last - 2 ? x - (last - 2) : 0;
      const int dy = y < 2 ? 2 - y : y > last - 2 ? y - (last - 2) : 0;
      if (dx + dy >= 3) {
        pic.clear[static_cast<std::size_t>(y * kIconSize + x)] = true;
        pic.At(x, y) = kTransparent;
      } else if (x == 0 || y == 0 || x == last || y == last || dx + dy == 2) {
        pic.At(x, y) = kBorder;
      } else {
        pic.At(x, y) = static_cast<std::uint8_t>(kGradient + (y - 1) * (kGradientSteps - 1) / (last - 2));
      }
    }
  }
  DrawGlyph(pic, kGlyphPlus, 3, 3, kPlus);
  DrawGlyph(pic, kGlyphMinus, 3, 18, kMinus);
  DrawGlyph(pic, kGlyphOne, 19, 2, kDigit);
  DrawGlyph(pic, kGlyphTwo, 19, 17, kDigit);
  return pic;
}

class Bytes {
 public:
  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) { U8(v & 0xFF), U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
  void U32Big(std::uint32_t v) { U16Big(v >> 16), U16Big(v & 0xFFFF); }
  void U16Big(unsigned v) { U8(v >> 8), U8(v & 0xFF); }
  void Append(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
  std::vector<std::uint8_t>& Out() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : bytes) a = (a + v) % 65521u, b = (b + a) % 65521u;
  return (b << 16) | a;
}

void PngChunk(Bytes& png, std::string_view type, std::span<const std::uint8_t> data) {
  png.U32Big(static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> typed(type.begin(), type.end());
  typed.insert(typed.end(), data.begin(), data.end());
  png.Append(typed);
  png.U32Big(Crc32(typed));
}

}  // namespace

std::vector<std::uint8_t> MakeIconFile() {
  const Picture pic = Draw();
  const auto palette = Palette();
  Bytes ico;
  ico.U16(0), ico.U16(1), ico.U16(1);  // directory: icon file, one image
  ico.U8(kIconSize), ico.U8(kIconSize), ico.U8(0), ico.U8(0);  // 0: 256 colours
  ico.U16(1), ico.U16(8);                                      // planes, bits
  ico.U32(kIconImageBytes), ico.U32(22);
  // Bitmap header; the height counts the pixels and the mask.
  ico.U32(40), ico.U32(kIconSize), ico.U32(2 * kIconSize);
  ico.U16(1), ico.U16(8), ico.U32(0);
  ico.U32(kIconSize * kIconSize + kIconSize * kIconSize / 8);
  ico.U32(0), ico.U32(0), ico.U32(256), ico.U32(0);
  for (const Rgb& c : palette) ico.U8(c.b), ico.U8(c.g), ico.U8(c.r), ico.U8(0);
  for (int y = kIconSize - 1; y >= 0; --y)
    for (int x = 0; x < kIconSize; ++x)
      ico.U8(pic.index[static_cast<std::size_t>(y * kIconSize + x)]);
  for (int y = kIconSize - 1; y >= 0; --y) {
    for (int x = 0; x < kIconSize; x += 8) {
      unsigned bits = 0;
      for (int k = 0; k < 8; ++k)
        if (pic.clear[static_cast<std::size_t>(y * kIconSize + x + k)]) bits |= 0x80u >> k;
      ico.U8(bits);
    }
  }
  while (ico.Out().size() < kIconFileBytes) ico.U8(0);
  return std::move(ico.Out());
}

std::vector<std::uint8_t> MakeIconPng() {
  const Picture pic = Draw();
  const auto palette = Palette();
  // Scan lines: filter byte 0, then RGBA.
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < kIconSize; ++y) {
    raw.push_back(0);
    for (int x = 0; x < kIconSize; ++x) {
      const auto i = static_cast<std::size_t>(y * kIconSize + x);
      const Rgb& c = palette[pic.index[i]];
      raw.insert(raw.end(), {c.r, c.g, c.b, static_cast<std::uint8_t>(pic.clear[i] ? 0 : 255)});
    }
  }
  // A zlib stream of one stored (uncompressed) block; 4128 bytes fit in it.
  Bytes z;
  z.U8(0x78), z.U8(0x01);
  z.U8(1);  // final block, stored
  z.U16(static_cast<unsigned>(raw.size())), z.U16(static_cast<unsigned>(~raw.size() & 0xFFFF));
  z.Append(raw);
  z.U32Big(Adler32(raw));

  Bytes ihdr;
  ihdr.U32Big(kIconSize), ihdr.U32Big(kIconSize);
  ihdr.U8(8), ihdr.U8(6), ihdr.U8(0), ihdr.U8(0), ihdr.U8(0);  // 8-bit RGBA

  Bytes png;
  png.Append(std::array<std::uint8_t, 8>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  PngChunk(png, "IHDR", ihdr.Out());
  PngChunk(png, "IDAT", z.Out());
  PngChunk(png, "IEND", {});
  return std::move(png.Out());
}

}  // namespace velmora
