#pragma once
// What NumberToText should write, made another way: from the standard
// library's correctly rounded "d.ddddddddddddde+XX" (std::to_chars with 14
// digits after the point), reshaped by the rules in numbers/number_text.h.
// Used by the unit test and the number-to-text fuzz target; it needs a
// standard library with floating-point std::to_chars.

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace velmora {

inline std::string StandardLibraryText(double x, char separator) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-Infinity" : "Infinity";
  if (x == 0) return "0";
  char buffer[40];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14).ptr;
  const std::string scientific(static_cast<const char*>(buffer), end);
  const std::size_t e = scientific.find('e');
  const bool negative = scientific[0] == '-';
  std::string digits = scientific.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
  digits.erase(1, 1);  // the point
  const int exponent = std::atoi(scientific.c_str() + e + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = negative ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent < -4 || exponent > 14) {
    text.push_back(digits[0]);
    if (count > 1) {
      text.push_back(separator);
      text.append(digits, 1);
    }
    const int magnitude = std::abs(exponent);
    text.append(exponent < 0 ? "E-" : "E+");
    if (magnitude < 10) text.push_back('0');
    text.append(std::to_string(magnitude));
  } else if (exponent < 0) {
    text.push_back('0');
    text.push_back(separator);
    text.append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  } else if (count <= exponent + 1) {
    text.append(digits).append(static_cast<std::size_t>(exponent + 1 - count), '0');
  } else {
    const auto whole = static_cast<std::size_t>(exponent + 1);
    text.append(digits, 0, whole);
    text.push_back(separator);
    text.append(digits, whole);
  }
  return text;
}

}  // namespace velmora
