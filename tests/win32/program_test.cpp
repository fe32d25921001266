// Velmora.exe itself on a broken stored record: a copy of the program with
// its layout resource replaced must show the run-time error box
// (number and description) and end with a non-zero exit code, not crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/resource.h"
#include "tests/win32/support.h"
#include "window/win32/resource_data.h"
#include "window/win32/text.h"

namespace velmora::win32::test {
namespace {

BOOL CALLBACK FirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD*>(found) = language;
  return FALSE;
}

struct Box {
  HWND window = nullptr;
  DWORD process = 0;
  std::wstring text;
};

BOOL CALLBACK FindText(HWND child, LPARAM box) {
  const std::wstring text = Text(child);
  if (text.rfind(L"Run-time error", 0) == 0) reinterpret_cast<Box*>(box)->text = text;
  return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM box) {
  auto* found = reinterpret_cast<Box*>(box);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (process != found->process || std::wstring(name) != L"#32770") return TRUE;
  found->window = window;
  EnumChildWindows(window, FindText, box);
  return FALSE;
}

// Runs a copy of Velmora.exe whose layout record is `record`; answers its
// error box and gives the box's text and the program's exit code.
std::pair<std::wstring, DWORD> RunWithRecord(const std::vector<std::uint8_t>& record) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring copy = std::wstring(folder) + L"velmora-broken.exe";
  if (!CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE)) return {L"(no copy)", 0};

  WORD language = 0;
  EnumResourceLanguagesW(ProgramModule(), RT_RCDATA, MAKEINTRESOURCEW(IDR_LAYOUT), FirstLanguage,
                         reinterpret_cast<LONG_PTR>(&language));
  HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
  if (!update) return {L"(no update)", 0};
  UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(IDR_LAYOUT), language,
                  const_cast<std::uint8_t*>(record.data()), static_cast<DWORD>(record.size()));
  if (!EndUpdateResourceW(update, FALSE)) return {L"(not updated)", 0};

  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(copy.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                      &process))
    return {L"(not started)", 0};
  Box box;
  box.process = process.dwProcessId;
  for (int i = 0; i < 300 && box.text.empty(); ++i) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;  // ended without a box
    box.window = nullptr;
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
  }
  if (box.window) PostMessageW(box.window, WM_COMMAND, IDOK, 0);
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 999);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileW(copy.c_str());
  return {box.text, code};
}

TEST(ProgramTest, ABrokenRecordShowsTheErrorAndEndsTheProgram) {
  const auto whole = LoadResourceBytes(ProgramModule(), IDR_LAYOUT);
  const struct { const char* what; std::vector<std::uint8_t> record; } cases[] = {
      {"a header and nothing more", {0xFF, 0xCC, 0x31, 0x00, 0x04, 0x01, 0x02}},
      {"the first half of the record", std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto [text, code] = RunWithRecord(c.record);
    EXPECT_EQ(text.rfind(L"Run-time error 100:", 0), 0u) << Utf8(text);
    EXPECT_NE(text.find(L"offset"), std::wstring::npos) << Utf8(text);  // where it failed
    EXPECT_EQ(code, 100u);
  }
}

}  // namespace
}  // namespace velmora::win32::test
