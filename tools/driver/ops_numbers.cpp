// The number ops: read, write, int16, digitsum, press; and the request
// helpers they share with the other ops.
#include <bit>
#include <charconv>

#include "numbers/digit_sum.h"
#include "numbers/number_text.h"
#include "panel/number_panel.h"
#include "tools/driver/driver.h"
#include "window/bytes.h"

namespace velmora::driver {

const std::string& RequireString(const Json& request, const char* key) {
  const auto it = request.find(key);
  if (it == request.end()) throw RequestError(std::string("missing field \"") + key + "\"");
  if (!it->is_string()) throw RequestError(std::string("field \"") + key + "\" must be a string");
  return it->get_ref<const std::string&>();
}

std::string OptionalString(const Json& request, const char* key, std::string_view fallback) {
  if (!request.contains(key)) return std::string(fallback);
  return RequireString(request, key);
}

std::int64_t RequireInteger(const Json& request, const char* key) {
  const auto it = request.find(key);
  if (it == request.end()) throw RequestError(std::string("missing field \"") + key + "\"");
  if (!it->is_number_integer())
    throw RequestError(std::string("field \"") + key + "\" must be an integer");
  if (it->is_number_unsigned() && it->get<std::uint64_t>() > INT64_MAX)
    throw RequestError(std::string("field \"") + key + "\" is out of range");
  return it->get<std::int64_t>();
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::uint64_t ParseBits(const std::string& hex) {
  if (hex.size() != 16) throw RequestError("bits must be 16 hex digits");
  std::uint64_t value = 0;
  for (char c : hex) {
    const int d = HexValue(c);
    if (d < 0) throw RequestError("bits must be 16 hex digits");
    value = value << 4 | static_cast<std::uint64_t>(d);
  }
  return value;
}

std::vector<std::uint8_t> ParseHexBytes(const std::string& hex) {
  if (hex.size() % 2 != 0) throw RequestError("hex must have an even number of digits");
  std::vector<std::uint8_t> bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexValue(hex[i]), low = HexValue(hex[i + 1]);
    if (high < 0 || low < 0) throw RequestError("hex has a character that is not a hex digit");
    bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return bytes;
}

namespace {

double RequireBits(const Json& request) {
  return std::bit_cast<double>(ParseBits(RequireString(request, "bits")));
}

char RequireSeparator(const Json& request) {
  const std::string sep = OptionalString(request, "sep", ".");
  if (sep != "." && sep != ",") throw RequestError("sep must be \".\" or \",\"");
  return sep[0];
}

Json Read(const Json& request) {
  const double value = ReadNumber(RequireString(request, "text"));
  char shortest[32];
  const char* end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;
  const std::string value_text(static_cast<const char*>(shortest), end);
  return {{"bits", LowerHex(std::bit_cast<std::uint64_t>(value), 16)},
          {"value", value_text}};
}

Json Write(const Json& request) {
  return {{"text", std::string(NumberToText(RequireBits(request), RequireSeparator(request)))}};
}

Json Int16(const Json& request) { return {{"int16", ToInt16(RequireBits(request))}}; }

Json Sum(const Json& request) { return {{"sum", DigitSum(RequireString(request, "text"))}}; }

Json Press(const Json& request) {
  const std::string& text = RequireString(request, "text");
  const std::int64_t button = RequireInteger(request, "button");
  if (button != NumberPanel::kIncrease && button != NumberPanel::kDecrease)
    throw RequestError("button must be 0 or 1");
  NumberPanel panel(static_cast<unsigned char>(RequireSeparator(request)));
  panel.StartWith(text);
  panel.OnCommand(static_cast<std::int16_t>(button));
  return {{"field", panel.FieldText()}, {"topLine", panel.TopLine()}};
}

constexpr Op kNumberOps[] = {
    {"read", Read}, {"write", Write}, {"int16", Int16}, {"digitsum", Sum}, {"press", Press},
};

}  // namespace

std::span<const Op> NumberOps() { return kNumberOps; }

}  // namespace velmora::driver
