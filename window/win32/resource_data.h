#pragma once
// A resource's bytes, as the module holds them.

#include <windows.h>

#include <cstdint>
#include <span>

namespace velmora::win32 {

// The bytes of resource `id` of `type` (RT_RCDATA by default) in `module`.
// They stay valid as long as the module is loaded. Every step is checked:
// a resource that is missing, cannot be loaded or is empty raises
// RuntimeError kErrorBadLayout naming the step that failed.
std::span<const std::uint8_t> LoadResourceBytes(HMODULE module, int id,
                                                LPCWSTR type = RT_RCDATA);

}  // namespace velmora::win32
