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

// Floating-point std::to_chars is not in every standard library the core is
// built with; where it is, the writer is checked against it.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#include "tests/numbers/standard_text.h"
#endif

namespace velmora {
namespace {

double FromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

#define EXPECT_WRITE(x, expected) EXPECT_EQ(NumberToText((x), '.').View(), expected) << #x
#define EXPECT_WRITE_COMMA(x, expected) EXPECT_EQ(NumberToText((x), ',').View(), expected) << #x

TEST(NumberToText, WholeNumbers) {
  EXPECT_WRITE(116, "116");
  EXPECT_WRITE(-9, "-9");
  EXPECT_WRITE(-1026, "-1026");
  EXPECT_WRITE(10035, "10035");
  EXPECT_WRITE(0, "0");
  EXPECT_WRITE(-0.0, "0");
  EXPECT_WRITE(100, "100");
  EXPECT_WRITE(123456789012345, "123456789012345");
}

TEST(NumberToText, Fractions) {
  EXPECT_WRITE(7.5, "7.5");
  EXPECT_WRITE_COMMA(7.5, "7,5");
  EXPECT_WRITE(-0.9, "-0.9");
  EXPECT_WRITE(0.5, "0.5");
  EXPECT_WRITE_COMMA(-0.25, "-0,25");
  EXPECT_WRITE(19.5, "19.5");
  EXPECT_WRITE(1.0 / 3, "0.333333333333333");
  EXPECT_WRITE(2.0 / 3, "0.666666666666667");
}

TEST(NumberToText, RoundingToFifteenDigitsHidesRepresentationError) {
  EXPECT_WRITE(0.1 + 2, "2.1");
  EXPECT_WRITE(0.1 + 0.2, "0.3");
  EXPECT_WRITE(1.1 * 1.1, "1.21");
  EXPECT_WRITE(100 - 99.9, "0.0999999999999943");  // the error is in the 14th digit
  EXPECT_WRITE(9e99 + 27, "9E+99");
}

TEST(NumberToText, PlainAndExponentNotationMeetAfterRounding) {
  EXPECT_WRITE(999999999999999.4, "999999999999999");
  EXPECT_WRITE(999999999999999.6, "1E+15");
  EXPECT_WRITE(1e15, "1E+15");
  EXPECT_WRITE(1234567890123456.0, "1.23456789012346E+15");
  EXPECT_WRITE(0.0001, "0.0001");
  EXPECT_WRITE(0.00001, "1E-05");
  EXPECT_WRITE(0.000123456789012345678, "0.000123456789012346");
  EXPECT_WRITE(0.00009999999999999999, "0.0001");   // rounds up into plain notation
  EXPECT_WRITE(0.00009999999999999, "9.999999999999E-05");
}

TEST(NumberToText, ExponentNotation) {
  EXPECT_WRITE(9e99, "9E+99");
  EXPECT_WRITE(1e100, "1E+100");
  EXPECT_WRITE(-2.5e20, "-2.5E+20");
  EXPECT_WRITE_COMMA(-2.5e20, "-2,5E+20");
  EXPECT_WRITE(1.5e-300, "1.5E-300");
  EXPECT_WRITE(std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324");
  EXPECT_WRITE(-std::numeric_limits<double>::max(), "-1.79769313486232E+308");
}

TEST(NumberToText, ValuesTheProgramNeverWrites) {
  EXPECT_WRITE(std::numeric_limits<double>::infinity(), "Infinity");
  EXPECT_WRITE(-std::numeric_limits<double>::infinity(), "-Infinity");
  EXPECT_WRITE(std::numeric_limits<double>::quiet_NaN(), "NaN");
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
void ExpectAsTheStandardLibrary(double x) {
  EXPECT_EQ(NumberToText(x, '.').View(), StandardLibraryText(x, '.')) << std::hexfloat << x;
  EXPECT_EQ(NumberToText(x, ',').View(), StandardLibraryText(x, ',')) << std::hexfloat << x;
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
    ASSERT_EQ(NumberToText(x, '.').View(), StandardLibraryText(x, '.')) << std::hexfloat << x;
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
