#include "window/win32/number_window.h"

#include "window/win32/text.h"

namespace velmora::win32 {

NumberWindow::NumberWindow(HINSTANCE instance, const Layout& layout, char32_t regional_separator)
    : layout_(layout),
      panel_(regional_separator),
      binding_(BindPanel(layout_)),
      form_(instance, layout_,
            {[this](const Control& button) { OnClick(button); },
             [this](const Control& box) { OnEdited(box); }}),
      field_(form_.Edit(*binding_.field)),
      top_line_(form_.ControlWindow(*binding_.top_line)),
      top_line_region_(top_line_) {
  if (!field_) throw RuntimeError(kErrorBadLayout, "The window has no control " + ControlId(kFieldName, 0));
  field_->SetRule([this](Selection selection, std::string_view text) {
    return panel_.Insert(selection, text);
  });
  panel_.Load(binding_.field->text);
  loaded_ = true;
  ShowPanel();
}

void NumberWindow::OnClick(const Control& button) {
  if (!loaded_ || button.name != kButtonArray) return;
  panel_.OnCommand(button.index);
  ShowPanel();
}

// What the edit changed by itself (deleting, undo, a replacement or a
// character by a route the subclass does not see) goes to the panel too;
// the field shows what the panel made of it only where that differs.
void NumberWindow::OnEdited(const Control& box) {
  if (!loaded_ || &box != binding_.field) return;
  const std::string now = Utf8(WindowText(field_->Handle()));
  const FieldEdit edit = panel_.Settle(now, field_->CaretChars());
  if (edit.text == now) return;
  ShowPanel();
  field_->SetCaretChars(edit.caret);
}

void NumberWindow::ShowPanel() {
  form_.SetAlignment(*binding_.field, panel_.FieldAlignment());

  // Written only when changed, so that the caret stays where the user left it.
  auto show = [](HWND control, std::string_view text) {
    const std::wstring wanted = Utf16(text);
    if (WindowText(control) == wanted) return false;
    if (!SetWindowTextW(control, wanted.c_str())) throw RuntimeError(kErrorOutOfMemory, "Out of memory");
    return true;
  };
  show(field_->Handle(), panel_.FieldText());
  if (show(top_line_, panel_.TopLine())) top_line_region_.Changed();
}

}  // namespace velmora::win32
