// NumberToText over arbitrary bit patterns, with both separators: the text
// is exactly what the standard library's std::to_chars with 15 significant
// digits gives, reshaped by the documented rules (tests/numbers/
// standard_text.h), at most 22 characters long, and a finite value's text
// reads back to the same 15 digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "numbers/number_text.h"
#include "tests/numbers/standard_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  double x;
  std::memcpy(&x, data, sizeof x);
  const char separator = size > 8 && (data[8] & 1) ? ',' : '.';
  const velmora::ShortText text = velmora::NumberToText(x, separator);
  const std::string_view view = text.View();
  if (view.empty() || view.size() > 22) std::abort();
  if (view != velmora::StandardLibraryText(x, separator)) std::abort();
  if (std::isfinite(x)) {
    for (char c : view)
      if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'E' || c == separator))
        std::abort();
    // Near the largest double the 15-digit text rounds up past it and reads
    // back as infinity; every other text reads back to itself.
    const double again = velmora::ReadNumber(view);
    if (separator == '.' && std::isfinite(again) &&
        velmora::NumberToText(again, '.').View() != view)
      std::abort();
  }
  return 0;
}
