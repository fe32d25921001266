#pragma once
// Encodes a Layout into the stored layout record that record_reader.h reads.
//
// The record, all numbers little-endian:
//   header   FF CC 31 00, version 04, three 16-byte class identifiers,
//            36 zero bytes, a 32-bit count of the bytes from its own first
//            byte to the record's end, a 32-bit count of the bytes from its
//            own first byte to the first control record, a zero byte;
//   window   name (text field), kind 0D, settings, end byte FF;
//   controls marker (01 for the first, 03 after), 16-bit length (from its
//            own first byte to the end byte inclusive), flags 8000, control
//            number (arrays in first-appearance order), 16-bit Index, name,
//            kind (01 label, 02 text box, 04 command button), settings, FF;
//   end      02 04.
// A text field is a 16-bit length, the code page 1251 bytes and a zero that
// the length leaves out. A setting is a code byte and a value; an entry's
// settings come in ascending code order, and a control writes its Index
// setting and those that its Layout values set (see record_reader.h for the
// codes).

#include <cstdint>
#include <vector>

#include "window/layout.h"

namespace velmora {

// Raises RuntimeError (kErrorInvalidArgument) for a layout the record cannot
// hold: a value out of its field's range, a text outside code page 1251, or
// a setting that the control's kind has no code for.
std::vector<std::uint8_t> WriteLayoutRecord(const Layout& layout);

}  // namespace velmora
