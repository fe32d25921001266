#pragma once
// velmora-driver's requests: each op is a function from a request object to
// an answer object. A request that is malformed in any way raises
// RequestError, which the loop turns into {"error": ...} for that line.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace velmora::driver {

using Json = nlohmann::ordered_json;  // answers keep the documented key order

struct RequestError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using OpHandler = Json (*)(const Json& request);

struct Op {
  std::string_view name;
  OpHandler handler;
};

// Each group of ops lives in its own file.
std::span<const Op> NumberOps();  // read, write, int16, digitsum, press
std::span<const Op> LayoutOps();  // record, layout, page

// Field access that says what is wrong with a request.
const std::string& RequireString(const Json& request, const char* key);
std::string OptionalString(const Json& request, const char* key,
                           std::string_view fallback);
std::int64_t RequireInteger(const Json& request, const char* key);

// Hexadecimal digits -> bytes (LowerHex in window/bytes.h writes them);
// both raise RequestError on bad input.
std::uint64_t ParseBits(const std::string& hex);  // exactly 16 hex digits
std::vector<std::uint8_t> ParseHexBytes(const std::string& hex);

}  // namespace velmora::driver
