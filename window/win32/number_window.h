#pragma once
// The program's window on Win32: the form built from the layout, with its
// events bound to a NumberPanel as window/front_end.h binds them. The
// number field shows the panel's field text, limit and alignment, the top
// line its top line, and a Click of any button of the array is
// OnCommand(Index). The panel owns the field's text: the field hands it
// every insertion and every change it made by itself. Every handler changes
// the panel, then ShowPanel() puts the panel's state into the controls. The
// top line is a live region: a screen reader speaks its new digit sum.

#include <windows.h>

#include <cstdint>
#include <exception>
#include <string_view>

#include "panel/number_panel.h"
#include "window/front_end.h"
#include "window/layout.h"
#include "window/win32/accessibility.h"
#include "window/win32/form.h"

namespace velmora::win32 {

class NumberWindow {
 public:
  // Creates the window (hidden), raises Load and shows the panel's state.
  // Throws RuntimeError if the layout lacks a control that the events are
  // bound to, or a window cannot be made.
  // `regional_separator` is the user's decimal separator, as their settings
  // give it (NumberPanel decides what a press writes for it);
  // `high_contrast` tells whether a high-contrast theme is on.
  NumberWindow(HINSTANCE instance, const Layout& layout, char32_t regional_separator,
               Form::HighContrastQuery high_contrast = SystemHighContrast);

  void Show(int show_command) { form_.Show(show_command); }
  bool HandleDialogMessage(MSG& message) noexcept { return form_.HandleDialogMessage(message); }
  HWND Handle() const noexcept { return form_.Handle(); }
  HWND ControlWindow(std::string_view name, std::int16_t index) const noexcept {
    return form_.ControlWindow(name, index);
  }
  std::exception_ptr Failure() const noexcept { return form_.Failure(); }
  const NumberPanel& Panel() const noexcept { return panel_; }
  LiveRegion::Mark TopLineLiveMark() const noexcept { return form_.LiveMark(); }

 private:
  void OnClick(const Control& button);
  void OnEdited(const Control& box);
  // Where the panel's state reaches the controls. The one other write into
  // a control is the field's own: it puts an insertion that the panel's
  // rule allowed in place itself, so that its undo keeps it
  // (LineEdit::Insert); the panel's text is then the field's already.
  void ShowPanel();

  Layout layout_;
  NumberPanel panel_;
  PanelBinding binding_;  // into layout_: checked before the form is made
  Form form_;
  LineEdit* field_ = nullptr;
  bool loaded_ = false;
};

}  // namespace velmora::win32
