// ReadNumber on arbitrary bytes: never crashes, and agrees with itself on
// the text written back from its result.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "numbers/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double x = velmora::ReadNumber(text);
  if (std::isnan(x)) std::abort();  // no text reads as NaN
  if (std::isfinite(x)) {
    const velmora::ShortText written = velmora::NumberToText(x, '.');
    const double again = velmora::ReadNumber(written);
    if (velmora::NumberToText(again, '.').View() != written.View()) std::abort();
  }
  return 0;
}
