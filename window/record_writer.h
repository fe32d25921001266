#pragma once
// Encodes a Layout into the stored layout record that record_reader.h
// reads; the format and the settings of each kind are in record_format.h.

#include <cstdint>
#include <vector>

#include "window/layout.h"

namespace velmora {

// Raises RuntimeError (kErrorInvalidArgument) for a layout the record cannot
// hold, or that the reader would refuse: a value out of its field's range,
// a text outside code page 1251, a setting that the control's kind has no
// code for, or a control that comes twice.
std::vector<std::uint8_t> WriteLayoutRecord(const Layout& layout);

}  // namespace velmora
