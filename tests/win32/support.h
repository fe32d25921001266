#pragma once
// Helpers for the Win32 tests: the real program's module and layout, and
// input as a user gives it.

#include <windows.h>

#include <string>
#include <string_view>

#include "window/layout.h"

namespace velmora::win32::test {

// Velmora.exe (path in the environment variable VELMORA_EXE), loaded as a
// data file for its resources. Loaded once; fails the test if it cannot be.
HMODULE ProgramModule();
std::wstring ProgramPath();

// The layout decoded from Velmora.exe's own stored record.
const Layout& ProgramLayout();

// Handles whatever is queued for this thread (painting, posted input).
void Pump();

// Replaces the edit's whole text by typing: select all, then one WM_CHAR per
// UTF-16 unit; an empty text is typed as Backspace.
void Type(HWND edit, std::wstring_view text);

// The control's text (WM_GETTEXT).
std::wstring Text(HWND window);

}  // namespace velmora::win32::test
