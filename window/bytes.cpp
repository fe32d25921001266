#include "window/bytes.h"

namespace velmora {
namespace {

// Written out by hand: std::snprintf would bring the C library's whole
// formatter into the Windows program for this alone.
std::string Hex(std::uint64_t value, int digits, bool upper) {
  constexpr char kDigits[] = "0123456789abcdef";
  char text[16];
  char* begin = text + sizeof text;
  do {
    const char digit = kDigits[value & 0xF];
    *--begin = upper && digit >= 'a' ? static_cast<char>(digit - 'a' + 'A') : digit;
    value >>= 4;
  } while (value != 0);
  const auto written = static_cast<std::size_t>(text + sizeof text - begin);
  const auto wanted = static_cast<std::size_t>(digits > 0 ? digits : 0);
  std::string result(wanted > written ? wanted - written : 0, '0');
  result.append(begin, written);
  return result;
}

}  // namespace

std::string UpperHex(std::uint64_t value, int digits) { return Hex(value, digits, true); }

std::string LowerHex(std::uint64_t value, int digits) { return Hex(value, digits, false); }

std::string LowerHex(std::span<const std::uint8_t> bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) hex += Hex(b, 2, false);
  return hex;
}

std::string Fingerprint(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 0xcbf29ce484222325;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3;
  return Hex(hash, 16, false);
}

}  // namespace velmora
