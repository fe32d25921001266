#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "numbers/number_text.h"

namespace velmora {
namespace {

double FromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

#define ASSERT_WRITE(x, expected) EXPECT_EQ(NumberToText((x), '.').View(), expected) << #x
#define ASSERT_WRITE_COMMA(x, expected) EXPECT_EQ(NumberToText((x), ',').View(), expected) << #x

TEST(NumberToText, WholeNumbers) {
  ASSERT_WRITE(116, "116");
  ASSERT_WRITE(-9, "-9");
  ASSERT_WRITE(-1026, "-1026");
  ASSERT_WRITE(10035, "10035");
  ASSERT_WRITE(0, "0");
  ASSERT_WRITE(-0.0, "0");
  ASSERT_WRITE(100, "100");
  ASSERT_WRITE(123456789012345, "123456789012345");
}

TEST(NumberToText, Fractions) {
  ASSERT_WRITE(7.5, "7.5");
  ASSERT_WRITE_COMMA(7.5, "7,5");
  ASSERT_WRITE(-0.9, "-0.9");
  ASSERT_WRITE(0.5, "0.5");
  ASSERT_WRITE_COMMA(-0.25, "-0,25");
  ASSERT_WRITE(19.5, "19.5");
  ASSERT_WRITE(1.0 / 3, "0.333333333333333");
  ASSERT_WRITE(2.0 / 3, "0.666666666666667");
}

TEST(NumberToText, RoundingToFifteenDigitsHidesRepresentationError) {
  ASSERT_WRITE(0.1 + 2, "2.1");
  ASSERT_WRITE(0.1 + 0.2, "0.3");
  ASSERT_WRITE(1.1 * 1.1, "1.21");
  ASSERT_WRITE(100 - 99.9, "0.0999999999999943");  // the error is in the 14th digit
  ASSERT_WRITE(9e99 + 27, "9E+99");
}

TEST(NumberToText, PlainAndExponentNotationMeetAfterRounding) {
  ASSERT_WRITE(999999999999999.4, "999999999999999");
  ASSERT_WRITE(999999999999999.6, "1E+15");
  ASSERT_WRITE(1e15, "1E+15");
  ASSERT_WRITE(1234567890123456.0, "1.23456789012346E+15");
  ASSERT_WRITE(0.0001, "0.0001");
  ASSERT_WRITE(0.00001, "1E-05");
  ASSERT_WRITE(0.000123456789012345678, "0.000123456789012346");
  ASSERT_WRITE(0.00009999999999999999, "0.0001");   // rounds up into plain notation
  ASSERT_WRITE(0.00009999999999999, "9.999999999999E-05");
}

TEST(NumberToText, ExponentNotation) {
  ASSERT_WRITE(9e99, "9E+99");
  ASSERT_WRITE(1e100, "1E+100");
  ASSERT_WRITE(-2.5e20, "-2.5E+20");
  ASSERT_WRITE_COMMA(-2.5e20, "-2,5E+20");
  ASSERT_WRITE(1.5e-300, "1.5E-300");
  ASSERT_WRITE(std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324");
  ASSERT_WRITE(-std::numeric_limits<double>::max(), "-1.79769313486232E+308");
}

TEST(NumberToText, ValuesTheProgramNeverWrites) {
  ASSERT_WRITE(std::numeric_limits<double>::infinity(), "Infinity");
  ASSERT_WRITE(-std::numeric_limits<double>::infinity(), "-Infinity");
  ASSERT_WRITE(std::numeric_limits<double>::quiet_NaN(), "NaN");
}

// Written with "." and read back, a value keeps its 15-digit text, and a
// value of at most 15 significant digits is read back exactly.
TEST(NumberToText, RoundTripsThroughReadNumber) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 20000; ++i) {
    const double x = FromBits(random());
    if (!std::isfinite(x) || std::abs(x) > 1.79769313486231e308) continue;
    const ShortText text = NumberToText(x, '.');
    EXPECT_EQ(NumberToText(ReadNumber(text), '.').View(), text.View()) << x;
  }
  for (double x : {116.0, -1026.0, 7.5, -0.9, 2.1, 9e99, 1e-5, 123456789012345.0, 0.3})
    EXPECT_EQ(ReadNumber(NumberToText(x, '.')), x) << x;
}

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
// The text the writer is meant to give, made another way: from the standard
// library's correctly rounded "d.ddddddddddddde+XX", reshaped by the rules in
// number_text.h.
std::string ExpectedText(double x) {
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
  const int exponent = std::stoi(scientific.substr(e + 1));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string text = negative ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent < -4 || exponent > 14) {
    text.push_back(digits[0]);
    if (count > 1) text.append(".").append(digits, 1);
    const int magnitude = std::abs(exponent);
    text.append(exponent < 0 ? "E-" : "E+");
    if (magnitude < 10) text.push_back('0');
    text.append(std::to_string(magnitude));
  } else if (exponent < 0) {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  } else if (count <= exponent + 1) {
    text.append(digits).append(static_cast<std::size_t>(exponent + 1 - count), '0');
  } else {
    const auto whole = static_cast<std::size_t>(exponent + 1);
    text.append(digits, 0, whole).append(".").append(digits, whole);
  }
  return text;
}

void ExpectAsTheStandardLibrary(double x) {
  EXPECT_EQ(NumberToText(x, '.').View(), ExpectedText(x)) << std::hexfloat << x;
}

TEST(NumberToText, AgreesWithTheStandardLibraryOnEdgeValues) {
  using limits = std::numeric_limits<double>;
  for (double x : {limits::denorm_min(), limits::min(), limits::max(), limits::epsilon(),
                   FromBits(0x000FFFFFFFFFFFFF), 0.1, 0.2, 0.3, 1.0 / 3, 2.0 / 3,
                   999999999999999.4, 999999999999999.5, 999999999999999.6, 0.00009999999999999999,
                   9.999999999999995e-5, 1000000000000005.0, 1000000000000015.0, 1000000000000025.0,
                   9007199254740991.0, 9007199254740993.0, 123456789012345678.0, 5e-324, 2.5e-323})
    for (double sign : {1.0, -1.0}) ExpectAsTheStandardLibrary(sign * x);
  // Every power of two and of ten, and their neighbours.
  for (int n = -1074; n <= 1023; ++n) {
    const double x = std::ldexp(1.0, n);
    ExpectAsTheStandardLibrary(x);
    ExpectAsTheStandardLibrary(std::nextafter(x, 0.0));
    ExpectAsTheStandardLibrary(std::nextafter(x, limits::infinity()));
  }
  for (int k = -323; k <= 308; ++k) {
    const double x = std::strtod(("1e" + std::to_string(k)).c_str(), nullptr);
    ExpectAsTheStandardLibrary(x);
    ExpectAsTheStandardLibrary(std::nextafter(x, 0.0));
    ExpectAsTheStandardLibrary(std::nextafter(x, limits::infinity()));
  }
  // Whole numbers whose 16th digit is 5: exact ties, to even.
  for (std::uint64_t n = 1000000000000005; n < 9007199254740992; n += 123456789012340)
    ExpectAsTheStandardLibrary(static_cast<double>(n));
}

TEST(NumberToText, AgreesWithTheStandardLibraryOnRandomBitPatterns) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 300000; ++i) {
    const double x = FromBits(random());
    if (!std::isfinite(x)) continue;
    ASSERT_EQ(NumberToText(x, '.').View(), ExpectedText(x)) << std::hexfloat << x;
  }
}
#endif

TEST(NumberToText, TheLargestDoubleReadsBackAsInfinity) {
  const double max = std::numeric_limits<double>::max();
  EXPECT_EQ(ReadNumber(NumberToText(max, '.')), std::numeric_limits<double>::infinity());
}

TEST(NumberToText, CommaTextReadsBackAsItsIntegerPart) {
  EXPECT_EQ(ReadNumber(NumberToText(7.5, ',')), 7);
  EXPECT_EQ(ReadNumber(NumberToText(-0.9, ',')), -0.0);
}

}  // namespace
}  // namespace velmora
