// The conversions never allocate: every call here runs with a counting
// global operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "numbers/digit_sum.h"
#include "numbers/number_text.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace velmora {
namespace {

TEST(Allocation, ConversionsAllocateNothing) {
  const std::string texts[] = {
      "112", "9e99", "&HFF", "-0.9", " 1 2", "1.2345678901234567890123456789e-300",
      std::string(64, '9'), "0." + std::string(62, '1'), std::string(900, '3') + "e-900",
      "-inf", "1e400", "4.9e-324", "1.7976931348623157e308", "&H" + std::string(40, 'F'),
  };
  for (const std::string& text : texts) {
    const long before = allocations;
    volatile double x = ReadNumber(text);
    const ShortText written = NumberToText(x, ',');
    volatile int sum = DigitSum(std::string_view(text).substr(0, 4));
    (void)sum;
    (void)Int16ToText(static_cast<std::int16_t>(written.size));
    EXPECT_EQ(allocations - before, 0) << text;
  }
}

}  // namespace
}  // namespace velmora
