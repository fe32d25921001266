#include "window/win32/number_window.h"

#include "window/win32/text.h"

namespace velmora::win32 {

NumberWindow::NumberWindow(HINSTANCE instance, const Layout& layout, char32_t regional_separator,
                           Form::HighContrastQuery high_contrast)
    : layout_(layout),
      panel_(regional_separator),
      binding_(BindPanel(layout_)),
      form_(instance, layout_,
            {[this](const Control& button) { OnClick(button); },
             [this](const Control& box) { OnEdited(box); }},
            binding_.top_line, high_contrast),
      field_(form_.Edit(*binding_.field)) {
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
  form_.Announce(*binding_.top_line);
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

// Texts are written only when changed, so that the caret stays where the
// user left it.
void NumberWindow::ShowPanel() {
  form_.SetAlignment(*binding_.field, panel_.FieldAlignment());
  form_.ShowText(*binding_.field, panel_.FieldText());
  form_.ShowText(*binding_.top_line, panel_.TopLine());
}

}  // namespace velmora::win32
