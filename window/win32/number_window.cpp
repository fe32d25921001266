#include "window/win32/number_window.h"

#include "window/win32/text.h"

namespace velmora::win32 {

NumberWindow::NumberWindow(HINSTANCE instance, const Layout& layout, char decimal_separator)
    : layout_(layout),
      panel_(decimal_separator),
      binding_(BindPanel(layout_)),
      form_(instance, layout_,
            {[this](const Control& button) { OnClick(button); },
             [this](const Control& box) { OnEdited(box); }}),
      field_(form_.ControlWindow(*binding_.field)),
      top_line_(form_.ControlWindow(*binding_.top_line)) {
  // The field starts with the layout's text; then Load.
  panel_.TypeFieldText(Utf8(WindowText(field_)));
  panel_.OnLoad();
  loaded_ = true;
  ShowPanel();
}

void NumberWindow::OnClick(const Control& button) {
  if (!loaded_ || button.name != kButtonArray) return;
  // The field's text is read afresh for every press.
  panel_.TypeFieldText(Utf8(WindowText(field_)));
  panel_.OnCommand(button.index);
  ShowPanel();
}

// The field's own insertions already follow the editing rule; the panel
// keeps the text (cut to its limit should anything else have put more in).
void NumberWindow::OnEdited(const Control& box) {
  if (!loaded_ || box.name != kFieldName || box.index != 0) return;
  panel_.TypeFieldText(Utf8(WindowText(field_)));
  ShowPanel();
}

void NumberWindow::ShowPanel() {
  form_.SetCharacterLimit(*binding_.field, panel_.FieldLimit());
  form_.SetAlignment(*binding_.field, panel_.FieldAlignment());

  // Written only when changed, so that the caret stays where the user left it.
  auto show = [](HWND control, std::string_view text) {
    const std::wstring wanted = Utf16(text);
    if (WindowText(control) != wanted && !SetWindowTextW(control, wanted.c_str()))
      throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  };
  show(field_, panel_.FieldText());
  show(top_line_, panel_.TopLine());
}

}  // namespace velmora::win32
