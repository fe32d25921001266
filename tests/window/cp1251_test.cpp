// Code page 1251: every byte, the window's texts, and what cannot be encoded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numbers/runtime_error.h"
#include "window/cp1251.h"
#include "window/layout_data.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Cp1251, EveryByteDecodesAndEncodesBack) {
  for (unsigned b = 0; b < 256; ++b) {
    const Bytes one = {static_cast<std::uint8_t>(b)};
    EXPECT_EQ(EncodeCp1251(DecodeCp1251(one)), one) << b;
  }
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
