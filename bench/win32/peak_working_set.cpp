// Starts a program, waits until it shows a window and has painted it, and
// prints the program's peak working set in KiB; then ends the program.
//   peak_working_set.exe <program.exe>
#include <windows.h>
#include <psapi.h>

#include <cstdio>

namespace {

BOOL CALLBACK FindShown(HWND window, LPARAM found) {
  auto* wanted = reinterpret_cast<DWORD*>(found);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == wanted[0] && IsWindowVisible(window)) {
    wanted[1] = 1;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: peak_working_set <program.exe>\n", stderr);
    return 2;
  }
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) {
    std::fprintf(stderr, "cannot start: error %lu\n", GetLastError());
    return 1;
  }
  WaitForInputIdle(process.hProcess, 30000);
  DWORD wanted[2] = {process.dwProcessId, 0};
  for (int i = 0; i < 300 && !wanted[1]; ++i) {
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(wanted));
    if (!wanted[1]) Sleep(100);
  }
  Sleep(500);  // let it paint
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const BOOL got = GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
  TerminateProcess(process.hProcess, 0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!got || !wanted[1]) {
    std::fputs(wanted[1] ? "no memory counters\n" : "no window\n", stderr);
    return 1;
  }
  std::printf("%lu\n", static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024));
  return 0;
}
