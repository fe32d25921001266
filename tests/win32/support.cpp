#include "tests/win32/support.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/win32/resource.h"
#include "window/record_reader.h"
#include "window/win32/resource_data.h"
#include "window/win32/text.h"

namespace velmora::win32::test {

std::wstring ProgramPath() {
  const wchar_t* path = _wgetenv(L"VELMORA_EXE");
  return path ? path : L"";
}

HMODULE ProgramModule() {
  static HMODULE module = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) ADD_FAILURE() << "cannot load VELMORA_EXE: " << Utf8(ProgramPath());
  return module;
}

const Layout& ProgramLayout() {
  static const Layout layout = ReadLayoutRecord(LoadResourceBytes(ProgramModule(), IDR_LAYOUT));
  return layout;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Type(HWND edit, std::wstring_view text) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  for (wchar_t unit : text) SendMessageW(edit, WM_CHAR, unit, 1);
}

std::wstring Text(HWND window) { return WindowText(window); }

}  // namespace velmora::win32::test
