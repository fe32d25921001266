// Velmora.exe: reads the stored layout from the program's own resources,
// opens the window and runs it until it is closed. A run-time error shows
// its number and description and ends the program with that number.
#include <windows.h>

#include <exception>

#include "app/win32/resource.h"
#include "version.h"
#include "window/record_reader.h"
#include "window/win32/program.h"
#include "window/win32/resource_data.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  using namespace velmora;
  try {
    const Layout layout = ReadLayoutRecord(win32::LoadResourceBytes(instance, IDR_LAYOUT));
    return win32::RunWindow(instance, layout, show_command);
  } catch (...) {
    return win32::ReportError(AsRuntimeError(std::current_exception()),
                              L"" VELMORA_INTERNAL_NAME);
  }
}
