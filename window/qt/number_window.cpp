#include "window/qt/number_window.h"

#include <exception>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "window/front_end.h"
#include "window/qt/accessibility.h"
#include "window/qt/line_edit.h"
#include "window/record_reader.h"

namespace velmora::qt {

NumberWindow::NumberWindow(const Layout& layout, char32_t regional_separator, double dpi,
                           ErrorHandler on_error)
    : form_(std::make_unique<Form>(layout, dpi)),
      panel_(regional_separator),
      on_error_(std::move(on_error)) {
  const PanelBinding binding = BindPanel(layout);
  field_ = &form_->WidgetAs<LineEdit>(*binding.field);
  top_line_ = &form_->WidgetAs<QLabel>(*binding.top_line);
  QObject::connect(field_, &QLineEdit::textEdited, form_.get(),
                   [this](const QString& text) { Handle([&] { OnFieldEdited(text); }); });
  for (const Control* button : binding.buttons) {
    const std::int16_t index = button->index;
    QObject::connect(&form_->WidgetAs<QPushButton>(*button), &QPushButton::clicked,
                     form_.get(), [this, index] { Handle([&] { OnClick(index); }); });
  }

  // Last among the form's children, so that the controls keep their places
  // in what a screen reader reads.
  notification_ = new Notification(form_.get());

  field_->SetRule([this](Selection selection, std::string_view text) {
    FieldEdit edit;
    Handle([&] { edit = panel_.Insert(selection, text); });
    return edit;
  });
  panel_.Load(binding.field->text);
  ShowPanel();
}

void NumberWindow::Open() {
  const QScreen* screen = form_->screen() ? form_->screen() : QGuiApplication::primaryScreen();
  if (screen)
    form_->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, form_->size(),
                                    screen->availableGeometry())
                    .topLeft());
  form_->FocusFirst();
  form_->show();
}

// What QLineEdit changed by itself (deleting, undo) goes to the panel too;
// the field shows what the panel made of it only where that differs.
void NumberWindow::OnFieldEdited(const QString& text) {
  const std::string now = text.toStdString();
  const FieldEdit edit = panel_.Settle(now, field_->CursorChars());
  if (edit.text == now) return;
  ShowPanel();
  field_->SetCursorChars(edit.caret);
}

// The press is also heard: the notification speaks the new top line
// wherever the focus is.
void NumberWindow::OnClick(std::int16_t index) {
  panel_.OnCommand(index);
  ShowPanel();
  notification_->Announce(FromUtf8(panel_.TopLine()));
}

void NumberWindow::ShowPanel() {
  const QString field_text = FromUtf8(panel_.FieldText());
  if (field_->text() != field_text) field_->setText(field_text);
  field_->setAlignment(HorizontalAlignment(panel_.FieldAlignment()) | Qt::AlignVCenter);
  top_line_->setText(FromUtf8(panel_.TopLine()));
}

// Qt's event loop must not see an exception: a handler's error goes to the
// error handler instead.
void NumberWindow::Handle(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    on_error_(AsRuntimeError(std::current_exception()));
  }
}

std::unique_ptr<NumberWindow> LoadWindow(std::span<const std::uint8_t> record,
                                         char32_t regional_separator, double dpi,
                                         NumberWindow::ErrorHandler on_error) {
  return std::make_unique<NumberWindow>(ReadLayoutRecord(record), regional_separator, dpi,
                                        std::move(on_error));
}

}  // namespace velmora::qt
