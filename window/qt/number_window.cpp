#include "window/qt/number_window.h"

#include <exception>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "window/front_end.h"
#include "window/qt/line_edit.h"
#include "window/record_reader.h"

namespace velmora::qt {

NumberWindow::NumberWindow(const Layout& layout, char decimal_separator, double dpi,
                           ErrorHandler on_error)
    : form_(std::make_unique<Form>(layout, dpi)),
      panel_(decimal_separator),
      on_error_(std::move(on_error)) {
  const PanelBinding binding = BindPanel(layout);
  field_ = &dynamic_cast<LineEdit&>(form_->Widget(*binding.field));
  top_line_ = &dynamic_cast<QLabel&>(form_->Widget(*binding.top_line));
  QObject::connect(field_, &QLineEdit::textEdited, form_.get(),
                   [this](const QString& text) { Handle([&] { OnFieldEdited(text); }); });
  for (const velmora::Control* button : binding.buttons) {
    const std::int16_t index = button->index;
    QObject::connect(&dynamic_cast<QPushButton&>(form_->Widget(*button)), &QPushButton::clicked,
                     form_.get(), [this, index] { Handle([&] { OnClick(index); }); });
  }

  // Load: the field starts with the layout's text, then the panel sets its
  // limit and alignment.
  panel_.TypeFieldText(field_->text().toStdString());
  panel_.OnLoad();
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

// The field's own insertions already follow the editing rule; the panel
// keeps the text (cut to its limit should anything else have put more in).
void NumberWindow::OnFieldEdited(const QString& text) {
  const int cursor = field_->cursorPosition();
  panel_.TypeFieldText(text.toStdString());
  ShowPanel();
  field_->setCursorPosition(std::min(cursor, static_cast<int>(field_->text().size())));
}

void NumberWindow::OnClick(std::int16_t index) {
  // The field's text is read afresh for every press.
  panel_.TypeFieldText(field_->text().toStdString());
  panel_.OnCommand(index);
  ShowPanel();
}

void NumberWindow::ShowPanel() {
  field_->SetCharacterLimit(panel_.FieldLimit());
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
                                         char decimal_separator, double dpi,
                                         NumberWindow::ErrorHandler on_error) {
  return std::make_unique<NumberWindow>(ReadLayoutRecord(record), decimal_separator, dpi,
                                        std::move(on_error));
}

}  // namespace velmora::qt
