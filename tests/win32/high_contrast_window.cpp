// velmora-high-contrast.exe VELMORA_EXE: Velmora's window, from the record
// in that program's resources, as a pupil sees it under a high-contrast
// theme: the system's colours set to a white-on-black scheme and the window
// told that high contrast is on (Wine cannot turn it on; screenshot.sh
// takes its picture). Prints where the window's client area lies on the
// screen ("client X Y"), then runs until the window is closed.
#include <windows.h>

#include <cstdio>
#include <exception>

#include "app/win32/resource.h"
#include "tests/win32/high_contrast_scheme.h"
#include "window/record_reader.h"
#include "window/win32/number_window.h"
#include "window/win32/resource_data.h"

int wmain(int argc, wchar_t** argv) {
  using namespace velmora;
  if (argc != 2) {
    std::fputs("usage: velmora-high-contrast.exe VELMORA_EXE\n", stderr);
    return 2;
  }
  try {
    HMODULE program = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!program) throw RuntimeError(kErrorBadLayout, "The program cannot be read");
    const Layout layout = ReadLayoutRecord(win32::LoadResourceBytes(program, IDR_LAYOUT));
    const win32::test::HighContrastScheme scheme;
    win32::NumberWindow window(GetModuleHandleW(nullptr), layout, '.', [] { return true; });
    window.Show(SW_SHOWNORMAL);
    POINT origin{0, 0};
    ClientToScreen(window.Handle(), &origin);
    std::printf("client %ld %ld\n", origin.x, origin.y);
    std::fflush(stdout);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (!window.HandleDialogMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    if (window.Failure()) std::rethrow_exception(window.Failure());
    return 0;
  } catch (...) {
    std::fprintf(stderr, "%s\n", AsRuntimeError(std::current_exception()).Description().c_str());
    return 1;
  }
}
