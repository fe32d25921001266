#pragma once
// The stored layout record that the build wrote from the layout table,
// compiled into the program (library velmora_embedded_record, host build).

#include <cstdint>
#include <span>

namespace velmora {

std::span<const std::uint8_t> EmbeddedRecord();

}  // namespace velmora
