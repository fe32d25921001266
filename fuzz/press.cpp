// A press of either button on any start text, with either separator:
// never crashes, the field stays within its limit and the top line shows a
// digit sum of at most 36.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "numbers/utf8.h"
#include "panel/number_panel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::int16_t button = data[0] & 1;
  const char separator = data[0] & 2 ? ',' : '.';
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  velmora::NumberPanel panel(static_cast<unsigned char>(separator));
  panel.StartWith(text);  // as a pupil would type or paste it
  for (int press = 0; press < 3; ++press) {
    panel.OnCommand(button);
    if (velmora::CountChars(panel.FieldText()) > 4) std::abort();
    const std::string_view prefix = velmora::NumberPanel::kSumPrefix;
    const std::string_view title = panel.TopLine();
    if (title.substr(0, prefix.size()) != prefix) std::abort();
    if (std::stoi(std::string(title.substr(prefix.size()))) > 36) std::abort();
  }
  return 0;
}
