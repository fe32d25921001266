// ReadNumber on arbitrary bytes: never crashes, reads no text as NaN, gives
// the same value when a blank (which is removed) stands first, and agrees
// with itself on the text written back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "numbers/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double x = velmora::ReadNumber(text);
  if (std::isnan(x)) std::abort();  // no text reads as NaN
  const double behind_blank = velmora::ReadNumber(" " + std::string(text));
  if (std::memcmp(&x, &behind_blank, sizeof x) != 0) std::abort();
  if (std::isfinite(x)) {
    const velmora::ShortText written = velmora::NumberToText(x, '.');
    const double again = velmora::ReadNumber(written);
    if (std::isfinite(again) && velmora::NumberToText(again, '.').View() != written.View())
      std::abort();  // (near the largest double the text reads back as infinity)
  }
  return 0;
}
