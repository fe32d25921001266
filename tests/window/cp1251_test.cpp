// Code page 1251: every byte, the window's texts, and what cannot be encoded.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "numbers/runtime_error.h"
#include "window/cp1251.h"
#include "window/layout_data.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The encoder finds every byte again (no character stands for two); the
// characters themselves are checked against the C library's table below.
TEST(Cp1251, EveryByteDecodesAndEncodesBack) {
  for (unsigned b = 0; b < 256; ++b) {
    const Bytes one = {static_cast<std::uint8_t>(b)};
    EXPECT_EQ(EncodeCp1251(DecodeCp1251(one)), one) << b;
  }
}

// What the C library's converter (iconv) makes of one byte: its character
// in UTF-8, or nothing where the code page has no character.
std::optional<std::string> SystemDecoding(iconv_t converter, std::uint8_t byte) {
  char in[1] = {static_cast<char>(byte)}, out[8];
  char *in_at = in, *out_at = out;
  std::size_t in_left = sizeof in, out_left = sizeof out;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh state
  if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) return std::nullopt;
  return std::string(out, out_at);
}

// Every byte against an independent table: the C library's converter.
TEST(Cp1251, EveryByteIsTheCharacterTheSystemConverterGives) {
  const iconv_t converter = iconv_open("UTF-8", "CP1251");
  ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1)) << "the C library has no CP1251 converter";
  std::vector<unsigned> undefined;
  for (unsigned b = 0; b < 256; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    const std::optional<std::string> expected = SystemDecoding(converter, byte);
    if (!expected) {
      undefined.push_back(b);
      continue;
    }
    EXPECT_EQ(DecodeCp1251(Bytes{byte}), *expected) << "byte " << b;
    EXPECT_EQ(EncodeCp1251(*expected), Bytes{byte}) << "byte " << b;
  }
  iconv_close(converter);
  // The one byte without a character, 98 hex (which decodes to U+0098
  // here, window/cp1251.h; see Characters).
  EXPECT_EQ(undefined, std::vector<unsigned>{0x98});
}

TEST(Cp1251, Characters) {
  const std::pair<std::uint8_t, const char*> cases[] = {
      {0x41, "A"}, {0xC0, "А"}, {0xDF, "Я"}, {0xE0, "а"}, {0xFF, "я"}, {0xA8, "Ё"}, {0xB8, "ё"},
      {0x80, "Ђ"}, {0x88, "€"}, {0x96, "–"}, {0xB9, "№"}, {0xA0, "\u00A0"}, {0x98, "\u0098"},
  };
  for (const auto& [byte, text] : cases) {
    EXPECT_EQ(DecodeCp1251(Bytes{byte}), text) << int{byte};
    EXPECT_EQ(EncodeCp1251(text), Bytes{byte}) << text;
  }
}

TEST(Cp1251, TheWindowsTextsRoundTripOneByteACharacter) {
  std::vector<std::string> texts = {VelmoraLayout().caption, VelmoraLayout().font.name};
  for (const Control& c : VelmoraLayout().controls) texts.push_back(c.text);
  for (const std::string& text : texts) {
    const Bytes bytes = EncodeCp1251(text);
    std::size_t chars = 0;
    for (char ch : text) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    EXPECT_EQ(bytes.size(), chars) << text;
    EXPECT_EQ(DecodeCp1251(bytes), text);
  }
}

TEST(Cp1251, RefusesWhatItCannotEncode) {
  const std::pair<const char*, const char*> cases[] = {
      {"abc☺", "byte 3: character U+263A has no code page 1251 form"},
      {"Ä", "byte 0: character U+00C4 has no code page 1251 form"},
      {"a\xF0\x9D\x84\x9E", "byte 1: character U+1D11E has no code page 1251 form"},
      {"\xC3\x28", "byte 0: not well-formed UTF-8"},      // cut sequence
      {"\xC0\x80", "byte 0: not well-formed UTF-8"},      // overlong
      {"x\xED\xA0\x80", "byte 1: not well-formed UTF-8"}, // surrogate
      {"\xD0", "byte 0: not well-formed UTF-8"},          // ends early
  };
  for (const auto& [text, message] : cases) {
    try {
      EncodeCp1251(text);
      ADD_FAILURE() << message;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrorInvalidArgument);
      EXPECT_EQ(e.Description(), message);
    }
  }
}

}  // namespace
}  // namespace velmora
