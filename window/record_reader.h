#pragma once
// Reads the stored layout record (written by record_writer.h) into a Layout.
//
// Setting codes, hex, by kind (see record_format.h):
//   window:         01 caption, 03 background, 19 icon, 24 link topic,
//                   26 27 46 one byte each, 35 client left, top, width,
//                   height (32-bit), 40 font
//   label:          01 caption, 02 Index, 03 background, 05 bounds (16-bit),
//                   12 tab index, 14 alignment
//   command button: 01 caption, 02 Index, 03 background, 04 bounds,
//                   11 tab index, 29 drawn in its own colour (0 or 1)
//   text box:       01 Index, 04 bounds, 09 visible, 0B text, 12 tab index,
//                   17 several lines, 18 scroll bars, 24 alignment,
//                   2D read-only (booleans 00 or FF)
//
// Everything is checked against the bytes present: the counts and lengths,
// the markers, flags, control numbers and kinds, the codes each kind knows
// and their ascending order, every value's range, text terminators, the
// icon's blocks and directory, the end bytes and the closing 02 04.

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
