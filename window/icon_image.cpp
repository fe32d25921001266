#include "window/icon_image.h"

#include <utility>

#include "window/bytes.h"

namespace velmora {

namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) { return LoadLittleEndian(b, at, 2); }
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) { return LoadLittleEndian(b, at, 4); }

constexpr std::size_t kDirectoryBytes = 6, kEntryBytes = 16, kInfoHeaderBytes = 40;

// Bytes in one row of a bitmap: padded to a whole number of 32-bit words.
std::size_t RowBytes(std::size_t width, std::size_t bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

std::optional<IconFileFault> CheckIconDirectory(std::span<const std::uint8_t> file) {
  const auto fault = [](std::size_t offset, std::string what) {
    return std::optional<IconFileFault>({offset, std::move(what)});
  };
  if (file.size() < kDirectoryBytes + kEntryBytes)
    return fault(0, "expected an icon file of 22 bytes or more, found " + std::to_string(file.size()));
  if (U16(file, 0) != 0 || U16(file, 2) != 1)
    return fault(0, "expected icon directory 00 00 01 00, found " + UpperHex(file[0], 2) + " " +
                        UpperHex(file[1], 2) + " " + UpperHex(file[2], 2) + " " + UpperHex(file[3], 2));
  const std::size_t count = U16(file, 4);
  const std::size_t images_at = kDirectoryBytes + kEntryBytes * count;
  if (count == 0 || images_at > file.size())
    return fault(4, "expected an icon image count from 1 to " +
                        std::to_string((file.size() - kDirectoryBytes) / kEntryBytes) + ", found " +
                        std::to_string(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectoryBytes + kEntryBytes * i;
    const std::uint64_t size = U32(file, entry + 8), offset = U32(file, entry + 12);
    if (size == 0 || offset < images_at || offset + size > file.size())
      return fault(entry + 8, "expected icon image " + std::to_string(i) + " within the icon file's " +
                                  std::to_string(file.size()) + " bytes, found " + std::to_string(size) +
                                  " bytes at offset " + std::to_string(offset));
  }
  return std::nullopt;
}

std::span<const std::uint8_t> FirstIconImage(std::span<const std::uint8_t> file) {
  if (CheckIconDirectory(file)) return {};
  return file.subspan(U32(file, kDirectoryBytes + 12), U32(file, kDirectoryBytes + 8));
}

std::optional<IconPixels> DecodeIcon(std::span<const std::uint8_t> file) {
  const std::span<const std::uint8_t> image = FirstIconImage(file);
  if (image.size() < kInfoHeaderBytes || U32(image, 0) < kInfoHeaderBytes) return std::nullopt;
  const std::uint32_t header = U32(image, 0);
  const std::uint32_t width = U32(image, 4), doubled_height = U32(image, 8);
  const std::uint32_t bits = U16(image, 14), compression = U32(image, 16);
  // The height counts the colour rows and the mask rows.
  if (width == 0 || width > 256 || doubled_height == 0 || doubled_height > 512 ||
      doubled_height % 2 != 0 || compression != 0 || U16(image, 12) != 1)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  const std::size_t height = doubled_height / 2;

  std::size_t colours = 0;
  if (bits <= 8) {
    colours = U32(image, 32);
    if (colours == 0 || colours > (std::size_t{1} << bits)) colours = std::size_t{1} << bits;
  }
  const std::size_t palette_at = header;
  const std::size_t pixels_at = palette_at + colours * 4;
  const std::size_t row = RowBytes(width, bits), mask_row = RowBytes(width, 1);
  const std::size_t mask_at = pixels_at + row * height;
  if (header > image.size() || mask_at > image.size() || mask_row * height > image.size() - mask_at)
    return std::nullopt;

  IconPixels pixels{static_cast<int>(width), static_cast<int>(height), {}};
  pixels.argb.resize(width * height);
  bool any_alpha = false;
  for (std::size_t y = 0; y < height; ++y) {
    const std::size_t source_row = height - 1 - y;  // rows are stored bottom-up
    const std::size_t at = pixels_at + source_row * row;
    for (std::size_t x = 0; x < width; ++x) {
      std::uint32_t argb = 0;
      if (bits <= 8) {
        const std::size_t bit = x * bits;
        const unsigned index =
            (image[at + bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= colours) return std::nullopt;
        // Blue, green, red, unused: read little-endian, 0x00RRGGBB.
        argb = 0xFF000000u | LoadLittleEndian(image, palette_at + index * 4, 3);
      } else {
        const std::size_t p = at + x * (bits / 8);
        const std::uint32_t alpha = bits == 32 ? image[p + 3] : 0xFFu;
        any_alpha |= bits == 32 && alpha != 0;
        argb = alpha << 24 | LoadLittleEndian(image, p, 3);
      }
      pixels.argb[y * width + x] = argb;
    }
  }
  for (std::size_t y = 0; y < height; ++y) {
    const std::size_t at = mask_at + (height - 1 - y) * mask_row;
    for (std::size_t x = 0; x < width; ++x) {
      std::uint32_t& argb = pixels.argb[y * width + x];
      if (bits == 32 && any_alpha) continue;  // the alpha channel decides
      if (bits == 32) argb |= 0xFF000000u;
      if ((image[at + x / 8] >> (7 - x % 8)) & 1) argb = 0;  // transparent
    }
  }
  return pixels;
}

}  // namespace velmora
