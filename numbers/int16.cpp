// ToInt16 and Int16ToText: the digit sum's 16-bit type.
#include <charconv>
#include <cmath>

#include "numbers/number_text.h"
#include "numbers/runtime_error.h"

namespace velmora {

std::int16_t ToInt16(double x) {
  if (!std::isfinite(x)) throw RuntimeError(kErrorOverflow, "Overflow");
  // x - floor(x) is exact: for x in [0, 1) floor(x) is 0, and for |x| >= 1
  // floor(x) lies within a factor of two of x. Not for x in (-1, 0), where
  // floor(x) is -1 and 1 + x is rounded (-1e-20 gives a fraction of 1).
  // There -1 is odd, so x goes up to 0 exactly when the fraction is at
  // least 0.5; rounding keeps 1 + x on the same side of 0.5, a double, so
  // that is when x >= -0.5, as it should be.
  double rounded = std::floor(x);
  const double fraction = x - rounded;
  // Past one half, up; at one half, up to the even neighbour when floor(x)
  // is odd, that is when half of it has a fraction (halving is exact).
  if (fraction > 0.5 || (fraction == 0.5 && std::floor(rounded / 2) != rounded / 2)) rounded += 1.0;
  if (rounded < -32768.0 || rounded > 32767.0) throw RuntimeError(kErrorOverflow, "Overflow");
  return static_cast<std::int16_t>(rounded);
}

ShortText Int16ToText(std::int16_t n) noexcept {
  ShortText out;
  out.size = static_cast<std::uint8_t>(std::to_chars(out.data, out.data + ShortText::kCapacity, n).ptr - out.data);
  return out;
}

}  // namespace velmora
