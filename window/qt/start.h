#pragma once
// Starting and ending the program with Qt: whether there is a display at
// all, the user's regional decimal separator, the run-time error box, and
// the run from the stored layout record to the closed window.

#include <cstdint>
#include <span>

#include <QString>

#include "numbers/runtime_error.h"

class QWidget;

namespace velmora::qt {

// Whether the environment names somewhere to show a window: an X display,
// a Wayland display, or a Qt platform chosen explicitly.
bool HasDisplay();

// The decimal separator of the user's regional settings (LC_NUMERIC): its
// first byte, which is all that tells a comma. Call after
// setlocale(LC_ALL, "").
char32_t RegionalDecimalSeparator();

// While a guard stands (around the QApplication's construction), a display
// that Qt cannot open ends the program with one line on stderr and a
// non-zero status, not an abort.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

// Loads Qt's own translations (its dialogs' and context menus' texts) for
// the user's language, where Debian's Qt translations are installed.
// Needs a QCoreApplication; gives whether they were found.
bool LoadQtTranslations();

// Shows the run-time error box (modal, over `parent` if given).
void ShowErrorBox(QWidget* parent, const RuntimeError& error);

// Builds the window from the record, shows it (in the desktop's palette
// while the desktop asks for high contrast) and runs the event loop until
// it is closed (0). A record that cannot be read, or a run-time
// error in a handler, shows the error box and gives 1. Needs a QApplication.
int RunProgram(std::span<const std::uint8_t> record, char32_t regional_separator);

}  // namespace velmora::qt
