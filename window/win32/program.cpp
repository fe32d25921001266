#include "window/win32/program.h"

#include "window/front_end.h"
#include "window/win32/number_window.h"
#include "window/win32/text.h"

namespace velmora::win32 {

char32_t UserDecimalSeparator() {
  wchar_t separator[8] = {};
  // GetLocaleInfoW with the user's default locale: the same answer as the
  // locale-name form, which Windows XP lacks.
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 0) return U'.';
  return separator[0];
}

int RunWindow(HINSTANCE instance, const Layout& layout, int show_command) {
  NumberWindow window(instance, layout, UserDecimalSeparator());
  window.Show(show_command);
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) throw RuntimeError(kErrorInternal, "The message loop failed");
    if (!window.HandleDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (window.Failure()) std::rethrow_exception(window.Failure());
  return static_cast<int>(message.wParam);
}

int ReportError(const RuntimeError& error, std::wstring_view title) {
  const std::wstring caption(title);
  MessageBoxW(nullptr, Utf16(ErrorText(error)).c_str(), caption.c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  return error.Number() != 0 ? error.Number() : 1;
}

}  // namespace velmora::win32
