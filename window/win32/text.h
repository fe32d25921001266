#pragma once
// Text between the core (UTF-8) and the Win32 W functions (UTF-16).

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::win32 {

// Ill-formed UTF-8 becomes U+FFFD; nothing is dropped silently.
std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// The window's text, whole (WM_GETTEXTLENGTH, then WM_GETTEXT).
std::wstring WindowText(HWND window);

}  // namespace velmora::win32
