#include "window/win32/resource_data.h"

#include <string>

#include "numbers/runtime_error.h"

namespace velmora::win32 {
namespace {

[[noreturn]] void Fail(const char* step, int id) {
  throw RuntimeError(kErrorBadLayout, std::string("Resource ") + std::to_string(id) +
                                          ": " + step + " failed");
}

}  // namespace

std::span<const std::uint8_t> LoadResourceBytes(HMODULE module, int id, LPCWSTR type) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!info) Fail("FindResource", id);
  HGLOBAL handle = LoadResource(module, info);
  if (!handle) Fail("LoadResource", id);
  const void* data = LockResource(handle);
  if (!data) Fail("LockResource", id);
  const DWORD size = SizeofResource(module, info);
  if (size == 0) Fail("SizeofResource", id);
  return {static_cast<const std::uint8_t*>(data), size};
}

}  // namespace velmora::win32
