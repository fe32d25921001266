#include "window/cp1251.h"

#include <array>

#include "numbers/runtime_error.h"
#include "numbers/utf8.h"
#include "window/bytes.h"

namespace velmora {
namespace {

// Bytes 80..BF hex; C0..FF are U+0410..U+044F in order and 00..7F are ASCII.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

void AppendUtf8(std::string& out, char32_t c) {
  auto put = [&out](unsigned v) { out.push_back(static_cast<char>(v)); };
  const auto v = static_cast<unsigned>(c);
  if (v < 0x80) {
    put(v);
  } else if (v < 0x800) {
    put(0xC0 | (v >> 6));
    put(0x80 | (v & 0x3F));
  } else {  // the code page reaches no further than U+FFFF
    put(0xE0 | (v >> 12));
    put(0x80 | ((v >> 6) & 0x3F));
    put(0x80 | (v & 0x3F));
  }
}

[[noreturn]] void Reject(std::size_t offset, const char* what) {
  throw RuntimeError(kErrorInvalidArgument,
                     "byte " + std::to_string(offset) + ": " + what);
}

// The code point that starts at text[pos]; advances pos past it. Rejects
// what is not well-formed UTF-8 (CharLength gives 1 for any such byte).
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const std::size_t length = CharLength(text, pos);
  const auto byte = [&text](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(text[i]));
  };
  const unsigned lead = byte(pos);
  if (length == 1 && lead >= 0x80) Reject(pos, "not well-formed UTF-8");
  constexpr unsigned kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
  unsigned value = lead & kLeadBits[length - 1];
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (byte(pos + i) & 0x3F);
  pos += length;
  return static_cast<char32_t>(value);
}

}  // namespace

char32_t Cp1251ToUnicode(std::uint8_t byte) noexcept {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<char32_t>(0x0410 + (byte - 0xC0));
  return kHigh[static_cast<std::size_t>(byte - 0x80)];
}

std::string DecodeCp1251(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) AppendUtf8(out, Cp1251ToUnicode(b));
  return out;
}

std::vector<std::uint8_t> EncodeCp1251(std::string_view utf8) {
  std::vector<std::uint8_t> out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(utf8, pos);
    if (c < 0x80) {
      out.push_back(static_cast<std::uint8_t>(c));
    } else if (c >= 0x0410 && c <= 0x044F) {
      out.push_back(static_cast<std::uint8_t>(c - 0x0410 + 0xC0));
    } else {
      std::size_t i = 0;
      while (i < kHigh.size() && kHigh[i] != c) ++i;
      if (i == kHigh.size()) {
        Reject(start, ("character U+" + UpperHex(c, 4) + " has no code page 1251 form").c_str());
      }
      out.push_back(static_cast<std::uint8_t>(0x80 + i));
    }
  }
  return out;
}

}  // namespace velmora
