#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "numbers/number_text.h"

#if defined(_WIN32)
#include <float.h>  // _controlfp
#endif

namespace velmora {
namespace {

std::uint64_t Bits(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

// Same bits, so that -0.0 and 0.0 differ and infinities compare. Each text
// is read twice: as it is, and behind a blank, which is removed.
#define EXPECT_READ(text, expected)                                               \
  do {                                                                            \
    const std::string text_ = (text);                                             \
    const auto expected_ = Bits(static_cast<double>(expected));                   \
    EXPECT_EQ(Bits(ReadNumber(text_)), expected_)                                 \
        << "ReadNumber(\"" << text_.substr(0, 60) << "\") = " << ReadNumber(text_); \
    EXPECT_EQ(Bits(ReadNumber(" " + text_)), expected_)                           \
        << "ReadNumber(\" " << text_.substr(0, 60) << "\")";                    \
  } while (0)

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();

TEST(ReadNumber, PlainDecimals) {
  EXPECT_READ("112", 112);
  EXPECT_READ("-12", -12);
  EXPECT_READ("+5", 5);
  EXPECT_READ("1.5", 1.5);
  EXPECT_READ(".5", 0.5);
  EXPECT_READ("5.", 5);
  EXPECT_READ("007", 7);
  EXPECT_READ("0.1", 0.1);
  EXPECT_READ("-0", -0.0);
  EXPECT_READ("-0.000", -0.0);
}

// Each form of the grammar's number: digits with a point before, between or
// after them, each with and without a sign and an exponent.
TEST(ReadNumber, EachFormOfTheNumber) {
  const struct { const char* text; double value; } cases[] = {
      {"5", 5},       {"-5", -5},       {"5e1", 50},      {"+5d-1", 0.5},
      {"5.", 5},      {"-5.", -5},      {"5.e1", 50},     {"+5.d-1", 0.5},
      {".5", 0.5},    {"-.5", -0.5},    {".5e1", 5},      {"+.5d-1", 0.05},
      {"2.5", 2.5},   {"-2.5", -2.5},   {"2.5e1", 25},    {"+2.5d-1", 0.25},
  };
  for (const auto& c : cases) EXPECT_READ(c.text, c.value);
}

TEST(ReadNumber, Exponents) {
  EXPECT_READ("1e3", 1000);
  EXPECT_READ("1E3", 1000);
  EXPECT_READ("1d2", 100);
  EXPECT_READ("1D-2", 0.01);
  EXPECT_READ("9E+9", 9e9);
  EXPECT_READ("9e99", 9e99);
  EXPECT_READ("1e", 1);
  EXPECT_READ("1e+", 1);
  EXPECT_READ("1e-", 1);
  EXPECT_READ("1ex", 1);
  EXPECT_READ("1e5e5", 1e5);
  EXPECT_READ("1e5.5", 1e5);
  EXPECT_READ("2.5e-3", 0.0025);
}

TEST(ReadNumber, TheNumberEndsAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_READ("7,5", 7);
  EXPECT_READ("12ab", 12);
  EXPECT_READ("1.2.3", 1.2);
  EXPECT_READ("1-2", 1);
  EXPECT_READ("12\r3", 12);   // a carriage return is not removed
  EXPECT_READ("1$", 1);
  EXPECT_READ("1'000", 1);
  EXPECT_READ("5\xD0\xA7", 5);  // "5Ч"
  EXPECT_READ(std::string("3\0" "4", 3), 3);
}

TEST(ReadNumber, NoDigitGivesZero) {
  EXPECT_READ("", 0);
  EXPECT_READ("-", 0);
  EXPECT_READ("+", 0);
  EXPECT_READ(".", 0);
  EXPECT_READ("-.", 0);
  EXPECT_READ("x", 0);
  EXPECT_READ("ab12", 0);
  EXPECT_READ("e5", 0);
  EXPECT_READ(".e5", 0);
  EXPECT_READ("--1", 0);
  EXPECT_READ("+-1", 0);
  EXPECT_READ("&", 0);
  EXPECT_READ("&X1", 0);
  EXPECT_READ("\xD0\xA7\xD0\xB8", 0);  // "Чи"
  EXPECT_READ("\xA0" "1", 0);          // a stray byte first
}

// Infinity and NaN words, hex floats, binary literals and digit separators
// are what other readers take; here they are ordinary characters.
TEST(ReadNumber, WordsOtherReadersAcceptAreOrdinaryText) {
  const struct { const char* text; double value; } cases[] = {
      {"inf", 0},       {"-inf", 0},      {"+inf", 0},       {"Inf", 0},
      {"-Inf", 0},      {"INF", 0},       {"infinity", 0},   {"-Infinity", 0},
      {"+INFINITY", 0}, {"nan", 0},       {"-nan", 0},       {"NaN", 0},
      {"-NaN", 0},      {"+nan", 0},      {"NAN", 0},        {"nan(123)", 0},
      {"-nan(ind)", 0}, {"0x1p3", 0},     {"0X1P3", 0},      {"-0x1p3", -0.0},
      {"0x10", 0},      {"0xFF", 0},      {"0x.8p1", 0},     {"0b1", 0},
      {"0B101", 0},     {"-0b1", -0.0},   {"1'000", 1},      {"1_000", 1},
      {"1,000", 1},     {"1'000.5", 1},   {"1e1_0", 10},     {"in f", 0},
      {"1inf", 1},      {"1nan", 1},      {"1p3", 1},        {"&H1p3", 1},
      {"- inf", 0},     {"-i", 0},        {"\t-nan", 0},
  };
  for (const auto& c : cases) EXPECT_READ(c.text, c.value);
}

TEST(ReadNumber, BlanksTabsAndLineFeedsAreRemovedEverywhere) {
  EXPECT_READ(" 1 2", 12);
  EXPECT_READ("\t-\n1 . 5 e 1", -15);
  EXPECT_READ("  ", 0);
  EXPECT_READ(" & H F F", 255);
  EXPECT_READ("1\v2", 1);  // other control characters stay and end it
}

TEST(ReadNumber, RadixPrefixes) {
  EXPECT_READ("&HFF", 255);
  EXPECT_READ("&hff", 255);
  EXPECT_READ("&HfF", 255);
  EXPECT_READ("&O17", 15);
  EXPECT_READ("&o17", 15);
  EXPECT_READ("&H", 0);
  EXPECT_READ("&O", 0);
  EXPECT_READ("&O8", 0);
  EXPECT_READ("&O78", 7);
  EXPECT_READ("&HFFG", 255);
  EXPECT_READ("&HFF.5", 255);
  EXPECT_READ("-&H1", 0);  // a sign is not part of the prefix
  EXPECT_READ("&H10000", 65536);
  EXPECT_READ("&HFFFF", 65535);  // a whole number, never a negative 16-bit one
}

TEST(ReadNumber, LongRadixNumbersAreCorrectlyRounded) {
  EXPECT_READ("&HFFFFFFFFFFFFFFFF", 0x1p64);
  EXPECT_READ("&H20000000000001", 0x1p53);             // halfway: to even
  EXPECT_READ("&H20000000000003", 0x1p53 + 4);         // halfway: to even
  EXPECT_READ("&H200000000000010000000000000001", 0x1p117 + 0x1p65);  // past half
  EXPECT_READ("&H0000000000000000000000000000FF", 255);
  EXPECT_READ("&O1" + std::string(21, '0') + "1", 0x1p66);  // 2^66 + 1: to even
  EXPECT_READ("&H" + std::string(300, 'F'), kInf);
}

// The exact decimal expansion of 2^-1075, halfway between 0 and the least
// subnormal: 752 significant digits, as 5^1075 times 10^-1075.
std::string HalfOfLeastSubnormal() {
  std::vector<int> digits{1};  // little-endian decimal
  for (int i = 0; i < 1075; ++i) {
    int carry = 0;
    for (int& d : digits) {
      const int v = d * 5 + carry;
      d = v % 10;
      carry = v / 10;
    }
    if (carry) digits.push_back(carry);
  }
  std::string text;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) text += static_cast<char>('0' + *it);
  return text;
}

TEST(ReadNumber, LongMantissasAreCorrectlyRounded) {
  const std::string half = HalfOfLeastSubnormal();
  ASSERT_GT(half.size(), 750u);
  EXPECT_READ(half + "e-1075", 0.0);                  // a tie: to even, zero
  EXPECT_READ(half + "1e-1076", kMinSubnormal);       // a hair above the tie
  EXPECT_READ(half + std::string(800, '0') + "1e-" + std::to_string(1075 + 801), kMinSubnormal);
  EXPECT_READ("-" + half + "1e-1076", -kMinSubnormal);
  // 2^53 + 1 lies halfway between two doubles; one far digit decides.
  EXPECT_READ("9007199254740993", 0x1p53);
  EXPECT_READ("9007199254740993." + std::string(800, '0') + "1", 0x1p53 + 2);
  EXPECT_READ("9007199254740993" + std::string(800, '0') + "e-800", 0x1p53);
  EXPECT_READ("0." + std::string(799, '0') + "1e800", 1);
  EXPECT_READ(std::string(800, '9'), kInf);
  EXPECT_READ("1.7976931348623157e308", std::numeric_limits<double>::max());
  EXPECT_READ("1.7976931348623159e308", kInf);
  EXPECT_READ("4.9e-324", kMinSubnormal);
  EXPECT_READ("1e-400", 0.0);
  EXPECT_READ("-1e-400", -0.0);
  EXPECT_READ("-1e400", -kInf);
}

// Up to 15 digits and 10^22 one double operation rounds right; past
// either, the digits or the power of ten are no longer exact doubles.
TEST(ReadNumber, EdgesOfTheShortForm) {
  const struct { const char* text; double value; } cases[] = {
      {"123456789012345e22", 123456789012345e22},    {"123456789012345e-22", 123456789012345e-22},
      {"3e22", 3e22},                                {"3e23", 3e23},
      {"1e-22", 1e-22},                              {"1e-23", 1e-23},
      {"9554309668325211e-5", 95543096683.2521},     {"9768070884241057e2", 9.768070884241057e17},
      {"9007199254740993e-1", 900719925474099.3},    {"0.000000000000000000001234", 1.234e-21},
  };
  for (const auto& c : cases) EXPECT_READ(c.text, c.value);
}

// 2^1024 - 2^970, halfway between the largest double and 2^1024.
constexpr const char* kHalfPastLargest =
    "17976931348623158079372897140530341507993413271003782693617377898044496829276475094664901797758720709633"
    "02864166928879109465555478519404026306574886715058206819089020007083836762738548458177115317644757302700"
    "69855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497792";

TEST(ReadNumber, HalfwayCasesRoundToEven) {
  const struct { std::string text; double value; } cases[] = {
      // 1 + 2^-53 and 1 + 3 * 2^-53: ties, to the even neighbour
      {"1.00000000000000011102230246251565404236316680908203125", 1},
      {"1.000000000000000111022302462515654042363166809082031250001", 0x1.0000000000001p0},
      {"1.00000000000000011102230246251565404236316680908203124999", 1},
      {"1.00000000000000033306690738754696212708950042724609375", 0x1.0000000000002p0},
      // 2^53 - 0.5: the tie carries into a 54th bit
      {"9007199254740991.5", 0x1p53},
      {"9007199254740991.4999999999999999999999", 0x1p53 - 1},
      // just past a tie, by less than the quotient's last bit or by bits
      // below the leading 64
      {"18014398509481987", 0x1p54 + 4},  // 2^54 + 3
      {"9007199254740993.1", 0x1p53 + 2},
      {"9007199254740993.0001", 0x1p53 + 2},
      {"36893488147419107329", 0x1p65 + 0x1p13},                // 2^65 + 2^12 + 1
      {"1267650600228229542234191560705", 0x1p100 + 0x1p48},  // 2^100 + 2^47 + 1
      {kHalfPastLargest, kInf},
      {std::string(kHalfPastLargest, 308) + "1", std::numeric_limits<double>::max()},
      {"1.797693134862315807937289714053e308", std::numeric_limits<double>::max()},
      {"1.7976931348623158079372897140531e308", kInf},
      {std::string("-") + kHalfPastLargest, -kInf},
      // between the largest subnormal and the least normal double
      {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
      {"2.2250738585072012e-308", 0x1p-1022},
      // around 2^-1075, half the least subnormal, and the cut-offs
      {"2.4703282292062327e-324", 0.0},
      {"2.4703282292062328e-324", kMinSubnormal},
      {"2.5e-324", kMinSubnormal},
      {"9.9e-325", 0.0},
      {"7.4109846876186981e-324", kMinSubnormal},  // 1.5 units, less a hair
      {"7.4109846876186982e-324", 2 * kMinSubnormal},
      {"1.2351641146031163e-323", 2 * kMinSubnormal},  // 2.5 units, less a hair
      {"1.2351641146031164e-323", 3 * kMinSubnormal},
      {"1e309", kInf},
      // the most digits and the smallest scale read: 10^800 - 1 times 10^-1123
      {std::string(800, '9') + "e-1123", 2 * kMinSubnormal},
      {std::string(800, '9') + "e-1124", 0.0},
      {"0." + std::string(323, '0') + std::string(800, '9'), 2 * kMinSubnormal},
  };
  for (const auto& c : cases) EXPECT_READ(c.text, c.value);
}

// Up to 15 digits and 10^22 the reader multiplies or divides once in double
// arithmetic. These products and quotients, rounded first to the x87's
// 64-bit extended mantissa and then to a double, come out one unit off (up
// or down): an i686 build whose x87 ran at extended precision would fail
// them (cmake/mingw-i686.cmake starts its programs at 53 bits).
struct DoubleRounding {
  const char* text;
  std::uint64_t digits;
  int power10;
  double value;
};
constexpr DoubleRounding kDoubleRoundings[] = {
    {"0.002877", 2877, -6, 0.002877},
    {"4.91e-6", 491, -8, 4.91e-6},
    {"582e-13", 582, -13, 582e-13},
    {"392594461.470431", 392594461470431, -6, 392594461.470431},
    {"711570718385e12", 711570718385, 12, 711570718385e12},
    {"4372219086e20", 4372219086, 20, 4372219086e20},
    {"6859518962352e22", 6859518962352, 22, 6859518962352e22},
};

TEST(ReadNumber, RoundsOnceWhereExtendedPrecisionRoundsTwice) {
  for (const auto& c : kDoubleRoundings) EXPECT_READ(c.text, c.value);
}

// The i686 programs do their double arithmetic on the x87 and rely on it
// rounding to 53-bit mantissas: cmake/mingw-i686.cmake links CRT_fp8.o,
// which starts every program so.
TEST(ReadNumber, TheX87RoundsToDoublesInTheI686Build) {
#if defined(_WIN32) && defined(__i386__)
  EXPECT_EQ(_controlfp(0, 0) & _MCW_PC, static_cast<unsigned>(_PC_53));
#else
  GTEST_SKIP() << "no x87 double arithmetic here: only the i686 build has it "
                  "(x86_64 does double arithmetic in SSE2, WebAssembly in its own f64, each rounding once)";
#endif
}

#if defined(__i386__) || defined(__x86_64__)
// Sets the x87 to round to 64-bit mantissas, its setting at power-on, while
// it lives; long double arithmetic is x87 arithmetic on both.
class X87ExtendedPrecision {
 public:
  X87ExtendedPrecision() {
    __asm__ volatile("fnstcw %0" : "=m"(saved_));
    const std::uint16_t extended = saved_ | 0x300;  // precision control: 64 bits
    __asm__ volatile("fldcw %0" : : "m"(extended) : "memory");
  }
  ~X87ExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(saved_) : "memory"); }
  X87ExtendedPrecision(const X87ExtendedPrecision&) = delete;
  X87ExtendedPrecision& operator=(const X87ExtendedPrecision&) = delete;

 private:
  std::uint16_t saved_ = 0;
};

// The cases above are what they claim: at extended precision the one
// operation, rounded again to a double, misses the correctly rounded value.
TEST(ReadNumber, DoubleRoundingCasesMissAtExtendedPrecision) {
  if (std::numeric_limits<long double>::digits != 64) GTEST_SKIP() << "long double is not the x87's";
  const X87ExtendedPrecision extended;
  for (const auto& c : kDoubleRoundings) {
    volatile long double digits = static_cast<long double>(c.digits), power = 1;
    for (int i = 0; i < std::abs(c.power10); ++i) power = power * 10;  // exact to 10^27
    const volatile double twice = static_cast<double>(c.power10 >= 0 ? digits * power : digits / power);
    EXPECT_NE(Bits(twice), Bits(c.value)) << c.text;
    EXPECT_EQ(std::abs(static_cast<std::int64_t>(Bits(twice) - Bits(c.value))), 1) << c.text;
  }
}
#endif

TEST(ReadNumber, HugeTextsAndExponents) {
  const std::string million(1'000'000, '7');
  EXPECT_READ(million, kInf);
  EXPECT_READ("0." + million, 0.7777777777777778);
  EXPECT_READ("1" + std::string(1'000'000, '0') + "e-1000000", 1);
  EXPECT_READ(std::string(1'000'000, ' ') + "42", 42);
  EXPECT_READ("1e000000000000000000000000000003", 1000);
  EXPECT_READ("1e999999999999999999999999999999", kInf);
  EXPECT_READ("1e-999999999999999999999999999999", 0.0);
  EXPECT_READ("0e999999999999999999999999999999", 0.0);
  EXPECT_READ("0." + std::string(400, '0') + "1e400", 0.1);
}

TEST(ReadNumber, DoesNotDependOnTheProcessLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "bg_BG.UTF-8") == nullptr) GTEST_SKIP() << "no bg_BG.UTF-8 locale";
  EXPECT_READ("1.5", 1.5);
  EXPECT_READ("1,5", 1);
  EXPECT_EQ(NumberToText(7.5, '.').View(), "7.5");
  EXPECT_EQ(NumberToText(1234567.25, ',').View(), "1234567,25");
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace velmora
