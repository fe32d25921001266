#pragma once
// The four conversions between text and numbers that the program is built
// from. Text is UTF-8; only ASCII characters have meaning, every other
// character is an ordinary non-numeric one. Nothing here depends on a window
// toolkit, reads the process locale or allocates memory.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// A short text held in place: what NumberToText and Int16ToText give.
// Every text they write fits (the longest is "-1.23456789012345E-308").
struct ShortText {
  static constexpr std::size_t kCapacity = 31;
  char data[kCapacity + 1] = {};
  std::uint8_t size = 0;

  std::string_view View() const noexcept { return {data, size}; }
  operator std::string_view() const noexcept { return View(); }
};

// Reads text as a number; never fails, whatever the text.
//
// Blanks, tabs and line feeds are removed wherever they stand. Then either a
// radix prefix "&H" / "&O" (either case) and its hex / octal digits, or the
// longest prefix of the form
//   [+|-] (digits [. [digits]] | . digits) [(E|e|D|d) [+|-] digits]
// is read and correctly rounded to the nearest double (ties to even): the
// point may stand before, among or after the digits, but some digit must
// come before the exponent. An exponent letter with no digits after it adds
// nothing. Only "." is a decimal point, whatever the locale; anything else
// ends the number.
//   "112"   -> 112        "1e3"   -> 1000      "1d2"  -> 100
//   " 1 2"  -> 12         "12ab"  -> 12        "ab12" -> 0
//   "7,5"   -> 7          ".5"    -> 0.5       "5."   -> 5     "-.5e1" -> -5
//   "1e"    -> 1          "1e+"   -> 1
//   "&HFF"  -> 255        "&o17"  -> 15        "&H"   -> 0     "-&H1" -> 0
//   ""      -> 0          "-"     -> 0         "."    -> 0     "Ч"    -> 0
//   "-0"    -> -0.0  (the sign of a zero is kept; NumberToText hides it)
// Words and forms that other number readers take are ordinary text here:
// they have no digit where the grammar wants one, or a digit run ends early.
//   "inf"  -> 0    "-inf" -> 0    "Infinity" -> 0    "nan" -> 0   "-NaN" -> 0
//   "0x1p3" -> 0   (a "0" then "x")     "0b1" -> 0     "1'000" -> 1
//   "1_000" -> 1   "1,000" -> 1
//   "1e400" -> +inf,  "-1e400" -> -inf,  "1e-400" -> 0  (IEEE rounding)
//   "9" x 800 digits -> +inf (beyond the largest double); "0.", 799 zeros,
//   "1e800" -> 1 (all digits count, however many)
// A radix prefix reads any number of digits as one unsigned whole number,
// correctly rounded: "&H10000" -> 65536, "&HFFFFFFFFFFFFFFFFF" -> 2^68
// (rounded), and 300 hex digits of F -> +inf. Exponents of any length are
// read without overflow: "1e-000000000000000000000000000003" -> 0.001.
//
// The exact conversion is hand-written (read_number.cpp, with
// numbers/big_number.h): a library for it made the WebAssembly module
// larger, and the WebAssembly build's C++ library has no std::from_chars
// for double (read_number.cpp gives the details). fuzz/read_number.cpp
// checks it against strtod on any text; exact halfway cases and texts of
// hundreds of digits have been checked with it.
double ReadNumber(std::string_view text) noexcept;

// Writes a number with 15 significant digits and the given decimal
// separator ('.' or ','). The digits are the exact binary value rounded
// half to even (worked out with whole numbers, no floating point). Plain
// notation while the decimal exponent of the rounded value lies in -4..14,
// otherwise exponent notation with "E", a sign and at least two digits.
// Trailing zeros are dropped, there is no grouping and no leading blank.
//   116 -> "116"   -1026 -> "-1026"   7.5 -> "7.5" / "7,5"   -0.9 -> "-0.9"
//   0.1 + 2 -> "2.1"   0.0001 -> "0.0001"   0.00001 -> "1E-05"
//   999999999999999.4 -> "999999999999999"   999999999999999.6 -> "1E+15"
//   9E+99 -> "9E+99"   1.5e-300 -> "1.5E-300"   0 -> "0"
// Negative zero is written "0", as a user reads it: zero has no sign.
// Values the program never produces: +inf -> "Infinity", -inf ->
// "-Infinity", NaN -> "NaN".
ShortText NumberToText(double x, char separator) noexcept;

// Rounds to the nearest integer, ties to even, and brings it into 16 bits.
//   36 -> 36   2.5 -> 2   3.5 -> 4   -2.5 -> -2   32767.4 -> 32767
//   32767.5 -> RuntimeError 6 "Overflow"   -32768.5 -> -32768
//   NaN or infinite -> RuntimeError 6 "Overflow"
std::int16_t ToInt16(double x);

// Decimal digits with "-" for negatives: 8 -> "8", 0 -> "0", -32768 -> "-32768".
ShortText Int16ToText(std::int16_t n) noexcept;

}  // namespace velmora
