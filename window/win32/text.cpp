#include "window/win32/text.h"

#include <limits>

#include "numbers/runtime_error.h"

namespace velmora::win32 {
namespace {

int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw RuntimeError(kErrorInvalidArgument, "Text too long");
  return static_cast<int>(size);
}

}  // namespace

std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int in = CheckedLength(utf8.size());
  const int out = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(out), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in, result.data(), out);
  return result;
}

std::string Utf8(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int in = CheckedLength(utf16.size());
  const int out = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), in, nullptr, 0,
                                      nullptr, nullptr);
  std::string result(static_cast<std::size_t>(out), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), in, result.data(), out, nullptr,
                      nullptr);
  return result;
}

std::wstring WindowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace velmora::win32
