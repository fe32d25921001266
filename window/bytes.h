#pragma once
// Little-endian numbers in byte strings, and hexadecimal text: how the
// stored record and the icon file hold their numbers, and how messages,
// JSON and CSS write bytes and colours.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// The `size`-byte (1 to 4) little-endian number at bytes[at]; the caller
// makes sure the bytes are there.  ({34 12 FF}, 0, 2) -> 0x1234
constexpr std::uint32_t LoadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                                         std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[at + i];
  return value;
}

// Writes `value` as `size` little-endian bytes over bytes[at]; the bytes
// above `size` are dropped.  (0x12345678, 2) -> 78 56
constexpr void StoreLittleEndian(std::span<std::uint8_t> bytes, std::size_t at, std::uint64_t value,
                                 std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Appends `value` as `size` little-endian bytes.  (0x1234, 4) -> 34 12 00 00
inline void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t size) {
  out.resize(out.size() + size);
  StoreLittleEndian(out, out.size() - size, value, size);
}

// `value` in hexadecimal, with zeros in front up to `digits` digits and
// never cut: upper case as the record's messages write bytes, colours and
// code points, lower case as JSON, CSS and the driver write them.
//   UpperHex(0x2A, 4) -> "002A"   UpperHex(0x1D11E, 4) -> "1D11E"
//   LowerHex(0xAB, 2) -> "ab"     LowerHex(0, 0) -> "0"
std::string UpperHex(std::uint64_t value, int digits);
std::string LowerHex(std::uint64_t value, int digits);

// Each byte as two lower-case digits.  {FF 0A} -> "ff0a"
std::string LowerHex(std::span<const std::uint8_t> bytes);

// A quick fingerprint of the bytes, to tell one record from another (not
// proof against anyone making two alike on purpose): their 64-bit FNV-1a
// hash in 16 lower-case digits.
//   {} -> "cbf29ce484222325"   {61} -> "af63dc4c8601ec8c"
std::string Fingerprint(std::span<const std::uint8_t> bytes);

}  // namespace velmora
