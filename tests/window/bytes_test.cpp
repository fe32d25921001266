// Little-endian numbers and hexadecimal text (window/bytes.h).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "window/bytes.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Hex, PadsToTheDigitsAndNeverCuts) {
  const struct {
    std::uint64_t value;
    int digits;
    const char *upper, *lower;
  } rows[] = {
      {0, 2, "00", "00"},
      {0, 0, "0", "0"},
      {0xCD, 2, "CD", "cd"},
      {0x2A, 4, "002A", "002a"},
      {0x80FFC0C0, 8, "80FFC0C0", "80ffc0c0"},
      {0x1D11E, 4, "1D11E", "1d11e"},
      {0xFFFFFFFFFFFFFFFF, 2, "FFFFFFFFFFFFFFFF", "ffffffffffffffff"},
      {0xABCDEF0123456789, 20, "0000ABCDEF0123456789", "0000abcdef0123456789"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(UpperHex(row.value, row.digits), row.upper);
    EXPECT_EQ(LowerHex(row.value, row.digits), row.lower);
  }
  EXPECT_EQ(LowerHex(Bytes{0xFF, 0x0A, 0x00}), "ff0a00");
  EXPECT_EQ(LowerHex(Bytes{}), "");
}

// The published FNV-1a test values, and a change of one byte.
TEST(Fingerprint, IsTheFnv1a64HashInHex) {
  EXPECT_EQ(Fingerprint(Bytes{}), "cbf29ce484222325");
  EXPECT_EQ(Fingerprint(Bytes{'a'}), "af63dc4c8601ec8c");
  EXPECT_EQ(Fingerprint(Bytes{'f', 'o', 'o', 'b', 'a', 'r'}), "85944171f73967e8");
  EXPECT_NE(Fingerprint(Bytes{0, 1}), Fingerprint(Bytes{1, 0}));
}

TEST(LittleEndian, LoadsStoresAndAppendsTheLowBytesFirst) {
  const struct {
    std::uint32_t value;
    std::size_t size;
    Bytes bytes;
  } rows[] = {
      {0xAB, 1, {0xAB}},
      {0x1234, 2, {0x34, 0x12}},
      {0x8000, 2, {0x00, 0x80}},
      {0x0001D4C0, 4, {0xC0, 0xD4, 0x01, 0x00}},
      {0xFFCC3100, 4, {0x00, 0x31, 0xCC, 0xFF}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    Bytes around = {0xEE};
    for (const std::uint8_t b : row.bytes) around.push_back(b);
    around.push_back(0xEE);
    EXPECT_EQ(LoadLittleEndian(around, 1, row.size), row.value);

    Bytes stored(row.size + 2, 0xEE);
    StoreLittleEndian(stored, 1, row.value, row.size);
    EXPECT_EQ(stored, around);

    Bytes appended = {0xEE};
    AppendLittleEndian(appended, row.value, row.size);
    appended.push_back(0xEE);
    EXPECT_EQ(appended, around);
  }
  // Bytes above the size are dropped, not carried into the next one.
  Bytes two(3, 0xEE);
  StoreLittleEndian(two, 0, 0x12345678, 2);
  EXPECT_EQ(two, (Bytes{0x78, 0x56, 0xEE}));
}

}  // namespace
}  // namespace velmora
