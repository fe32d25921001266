#pragma once
// Code page 1251 (Windows Cyrillic) <-> UTF-8, for the texts of the stored
// layout record.
//
// Decoding handles all 256 byte values. Byte 98 hex has no character in the
// code page; it decodes to U+0098 (the C1 control of the same number) and
// U+0098 encodes back to it, so every byte string survives a round trip.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The character that the byte stands for.
char32_t Cp1251ToUnicode(std::uint8_t byte) noexcept;

// The bytes as UTF-8 text.  {C7 E0} -> "За"
std::string DecodeCp1251(std::span<const std::uint8_t> bytes);

// UTF-8 text as code page 1251 bytes. Raises RuntimeError
// (kErrorInvalidArgument) for text that is not well-formed UTF-8 or holds a
// character the code page lacks, naming the character and its byte offset.
std::vector<std::uint8_t> EncodeCp1251(std::string_view utf8);

}  // namespace velmora
