#pragma once
// Start, run and stop of the program on Win32.

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

#include "numbers/runtime_error.h"
#include "window/layout.h"

namespace velmora::win32 {

// The user's decimal separator (regional settings): its first character,
// which is all that tells a comma.
char32_t UserDecimalSeparator();

// Opens the window from `layout`, shows it and runs the message loop until
// it is closed. Rethrows what a handler raised. Gives the loop's exit code.
int RunWindow(HINSTANCE instance, const Layout& layout, int show_command);

// Shows the error in a message box (error icon) with the text every front
// end shows (ErrorText), and gives the process exit code for it: the error
// number, never 0.
int ReportError(const RuntimeError& error, std::wstring_view title);

}  // namespace velmora::win32
