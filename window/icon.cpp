#include "window/icon.h"

#include <array>
#include <cctype>
#include <string>

#include "window/bytes.h"

namespace velmora {
namespace {

constexpr std::size_t kPixels = std::size_t{kIconSize} * kIconSize;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The picture, rows top-down: a palette index and a clear flag per pixel.
struct Picture {
  std::vector<Rgb> palette;
  std::array<std::uint8_t, kPixels> index{};
  std::array<bool, kPixels> clear{};
};

[[noreturn]] void Fail(const std::string& what) { throw IconInputError(what); }

std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int bytes) {
  if (at + static_cast<std::size_t>(bytes) > b.size()) Fail("BMP ends inside its header");
  return LoadLittleEndian(b, at, static_cast<std::size_t>(bytes));
}

void ReadBmp(std::span<const std::uint8_t> bmp, Picture& pic) {
  if (bmp.size() < 2 || bmp[0] != 'B' || bmp[1] != 'M') Fail("not a BMP file");
  const std::uint32_t pixels_at = Le(bmp, 10, 4);
  const std::uint32_t header = Le(bmp, 14, 4);
  if (header < 40) Fail("BMP header of " + std::to_string(header) + " bytes; 40 or more expected");
  const auto width = static_cast<std::int32_t>(Le(bmp, 18, 4));
  const auto height = static_cast<std::int32_t>(Le(bmp, 22, 4));
  const std::uint32_t bits = Le(bmp, 28, 2);
  if (width != kIconSize || (height != kIconSize && height != -kIconSize))
    Fail("BMP of " + std::to_string(width) + " x " + std::to_string(height) + " pixels; 32 x 32 expected");
  if (bits != 8) Fail("BMP of " + std::to_string(bits) + " bits per pixel; 8 expected");
  if (Le(bmp, 30, 4) != 0) Fail("compressed BMP; uncompressed expected");
  std::uint32_t colours = Le(bmp, 46, 4);
  if (colours == 0) colours = 256;
  if (colours > 256) Fail("BMP palette of " + std::to_string(colours) + " colours; 256 at most");

  const std::size_t palette_at = 14 + std::size_t{header};
  if (palette_at + 4 * std::size_t{colours} > bmp.size()) Fail("BMP ends inside its palette");
  for (std::size_t i = 0; i < colours; ++i) {
    const std::size_t at = palette_at + 4 * i;
    pic.palette.push_back({bmp[at + 2], bmp[at + 1], bmp[at]});
  }
  // Rows are 32 bytes, a whole number of 4-byte words: no padding.
  if (std::size_t{pixels_at} + kPixels > bmp.size()) Fail("BMP ends inside its pixels");
  for (std::size_t row = 0; row < kIconSize; ++row) {
    const std::size_t y = height > 0 ? kIconSize - 1 - row : row;  // positive height: bottom-up
    for (std::size_t x = 0; x < kIconSize; ++x) {
      const std::uint8_t i = bmp[pixels_at + row * kIconSize + x];
      if (i >= colours) Fail("BMP pixel " + std::to_string(x) + "," + std::to_string(y) + " outside the palette");
      pic.index[y * kIconSize + x] = i;
    }
  }
}

// A binary PGM: "P5", width, height, largest value, separated by white
// space (comments from '#' to the end of a line), one white-space byte,
// then one byte per pixel, rows top-down.
void ReadAlpha(std::span<const std::uint8_t> pgm, Picture& pic) {
  std::size_t at = 0;
  const auto number = [&]() {
    while (at < pgm.size() && (std::isspace(pgm[at]) || pgm[at] == '#')) {
      if (pgm[at] == '#')
        while (at < pgm.size() && pgm[at] != '\n') ++at;
      else
        ++at;
    }
    unsigned long v = 0;
    const std::size_t start = at;
    while (at < pgm.size() && std::isdigit(pgm[at]) && v < 100000) v = v * 10 + static_cast<unsigned long>(pgm[at++] - '0');
    if (at == start) Fail("PGM header incomplete");
    return v;
  };
  if (pgm.size() < 2 || pgm[0] != 'P' || pgm[1] != '5') Fail("alpha channel is not a binary PGM file");
  at = 2;
  const unsigned long width = number(), height = number(), top = number();
  if (width != kIconSize || height != kIconSize)
    Fail("alpha channel of " + std::to_string(width) + " x " + std::to_string(height) + " pixels; 32 x 32 expected");
  if (top == 0 || top > 255) Fail("PGM largest value " + std::to_string(top) + "; 1 to 255 expected");
  ++at;  // the one white-space byte
  if (at + kPixels > pgm.size()) Fail("PGM ends inside its pixels");
  for (std::size_t i = 0; i < kPixels; ++i) pic.clear[i] = 2 * std::size_t{pgm[at + i]} < top;
}

// Points every clear pixel at a black palette entry, adding one if needed.
void BlackenClearPixels(Picture& pic) {
  std::size_t black = 0;
  while (black < pic.palette.size() && pic.palette[black] != Rgb{}) ++black;
  for (std::size_t i = 0; i < kPixels; ++i) {
    if (!pic.clear[i]) continue;
    if (black == pic.palette.size()) {
      if (black == 256) Fail("no black in a full palette for the clear pixels");
      pic.palette.push_back({});
    }
    pic.index[i] = static_cast<std::uint8_t>(black);
  }
}

class Bytes {
 public:
  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) { AppendLittleEndian(out_, v, 2); }
  void U32(std::uint32_t v) { AppendLittleEndian(out_, v, 4); }
  std::vector<std::uint8_t>& Out() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

}  // namespace

std::vector<std::uint8_t> MakeIconFile(std::span<const std::uint8_t> bmp,
                                       std::span<const std::uint8_t> alpha_pgm) {
  Picture pic;
  ReadBmp(bmp, pic);
  ReadAlpha(alpha_pgm, pic);
  BlackenClearPixels(pic);

  Bytes ico;
  ico.U16(0), ico.U16(1), ico.U16(1);  // directory: icon file, one image
  ico.U8(kIconSize), ico.U8(kIconSize), ico.U8(0), ico.U8(0);  // 0: 256 colours
  ico.U16(1), ico.U16(8);                                      // planes, bits
  ico.U32(kIconImageBytes), ico.U32(22);
  // Bitmap header; the height counts the pixels and the mask.
  ico.U32(40), ico.U32(kIconSize), ico.U32(2 * kIconSize);
  ico.U16(1), ico.U16(8), ico.U32(0);
  ico.U32(kPixels + kPixels / 8);
  ico.U32(0), ico.U32(0), ico.U32(256), ico.U32(0);
  pic.palette.resize(256);  // unused entries black
  for (const Rgb& c : pic.palette) ico.U8(c.b), ico.U8(c.g), ico.U8(c.r), ico.U8(0);
  for (std::size_t y = kIconSize; y-- > 0;)
    for (std::size_t x = 0; x < kIconSize; ++x) ico.U8(pic.index[y * kIconSize + x]);
  for (std::size_t y = kIconSize; y-- > 0;) {
    for (std::size_t x = 0; x < kIconSize; x += 8) {
      unsigned bits = 0;
      for (std::size_t k = 0; k < 8; ++k)
        if (pic.clear[y * kIconSize + x + k]) bits |= 0x80u >> k;
      ico.U8(bits);
    }
  }
  while (ico.Out().size() < kIconFileBytes) ico.U8(0);
  return std::move(ico.Out());
}

}  // namespace velmora
