#pragma once
// Reads the stored layout record (its format and the settings of each kind
// are in record_format.h) into a Layout.
//
// Everything is checked against the bytes present: the counts and lengths,
// the markers, flags, control numbers and kinds, the codes each kind knows
// and their ascending order, every value's range, text terminators, the
// icon's blocks and directory, the end bytes and the closing 02 04, and
// that no control comes twice.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "numbers/runtime_error.h"
#include "window/layout.h"

namespace velmora {

// A record that cannot be read; RuntimeError number kErrorBadLayout. The
// description names the offset and what was expected there, e.g.
// "offset 1234: expected end byte FF, found 03".
class RecordError : public RuntimeError {
 public:
  RecordError(std::size_t offset, const std::string& what)
      : RuntimeError(kErrorBadLayout, "offset " + std::to_string(offset) + ": " + what),
        offset_(offset) {}

  std::size_t Offset() const noexcept { return offset_; }

 private:
  std::size_t offset_;
};

// Never reads outside `record`; any fault raises RecordError.
Layout ReadLayoutRecord(std::span<const std::uint8_t> record);

}  // namespace velmora
