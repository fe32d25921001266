#include "window/qt/number_window.h"

#include <exception>
#include <string>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "window/qt/field_edit.h"
#include "window/record_reader.h"

namespace velmora::qt {

namespace {

constexpr std::string_view kField = "Text2";
constexpr std::string_view kTopLine = "Label1";
constexpr std::string_view kButtons = "Command1";

}  // namespace

NumberWindow::NumberWindow(const Layout& layout, char decimal_separator, double dpi,
                           ErrorHandler on_error)
    : form_(std::make_unique<Form>(layout, dpi)),
      panel_(decimal_separator),
      on_error_(std::move(on_error)) {
  field_ = &form_->Control<QLineEdit>(kField, 0);
  top_line_ = &form_->Control<QLabel>(kTopLine, 0);
  QObject::connect(field_, &QLineEdit::textEdited, form_.get(),
                   [this](const QString& text) { Handle([&] { OnFieldEdited(text); }); });
  for (const velmora::Control& control : layout.controls) {
    if (control.name != kButtons) continue;
    const std::int16_t index = control.index;
    QObject::connect(&form_->Control<QPushButton>(kButtons, index), &QPushButton::clicked,
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

void NumberWindow::OnFieldEdited(const QString& text) {
  const FittedEdit fitted = FitEdit(FromUtf8(panel_.FieldText()), text, field_->cursorPosition(),
                                    panel_.FieldLimit());
  panel_.TypeFieldText(fitted.text.toStdString());
  ShowPanel();
  if (field_->cursorPosition() != fitted.cursor) field_->setCursorPosition(fitted.cursor);
}

void NumberWindow::OnClick(std::int16_t index) {
  panel_.OnCommand(index);
  ShowPanel();
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
                                         char decimal_separator, double dpi,
                                         NumberWindow::ErrorHandler on_error) {
  return std::make_unique<NumberWindow>(ReadLayoutRecord(record), decimal_separator, dpi,
                                        std::move(on_error));
}

}  // namespace velmora::qt
