// The stored layout record's reader on any bytes: it reads them or raises
// RecordError, and never reads outside them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "window/record_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    velmora::ReadLayoutRecord(std::span<const std::uint8_t>(data, size));
  } catch (const velmora::RecordError&) {
  }
  return 0;
}
