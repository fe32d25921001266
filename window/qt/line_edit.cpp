#include "window/qt/line_edit.h"

#include <memory>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "numbers/utf16.h"

namespace velmora::qt {

namespace {

std::u16string_view Units(const QString& text) {
  return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

std::size_t CharsIn(const QString& text, int units) {
  return CharsInUnits(Units(text), static_cast<std::size_t>(units));
}

// What a key press types: printable text, without Ctrl (AltGr is Ctrl+Alt
// on some systems and types characters).
bool TypesText(const QKeyEvent& event) {
  const QList<uint> chars = event.text().toUcs4();
  if (chars.isEmpty() || !QChar::isPrint(chars.first())) return false;
  const Qt::KeyboardModifiers mods = event.modifiers();
  return !(mods & Qt::ControlModifier) || (mods & Qt::AltModifier);
}

QString ClipboardText(QClipboard::Mode mode = QClipboard::Clipboard) {
  return QGuiApplication::clipboard()->text(mode);
}

}  // namespace

LineEdit::LineEdit(QWidget* parent) : QLineEdit(parent) { setAcceptDrops(false); }

void LineEdit::InsertText(const QString& inserted) {
  if (isReadOnly()) return;
  if (!rule_) return insert(inserted);
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
  const QString current = text();
  const FieldEdit edit =
      rule_({CharsIn(current, start), CharsIn(current, end)}, inserted.toStdString());
  // What the rule kept goes in through QLineEdit's own insert, so that
  // undo keeps it.
  if (!edit.changes) return;
  insert(QString::fromStdString(edit.inserted));
}

std::size_t LineEdit::CursorChars() const { return CharsIn(text(), cursorPosition()); }

void LineEdit::SetCursorChars(std::size_t chars) {
  setCursorPosition(static_cast<int>(UnitsOfChars(Units(text()), chars)));
}

void LineEdit::keyPressEvent(QKeyEvent* event) {
  if (!isReadOnly() && event->matches(QKeySequence::Paste)) {
    InsertText(ClipboardText());
    event->accept();
  } else if (!isReadOnly() && TypesText(*event)) {
    InsertText(event->text());
    event->accept();
  } else {
    QLineEdit::keyPressEvent(event);
  }
}

QAction* PasteAction(const QMenu& menu) {
  // Known by its text, translated as QLineEdit translates it.
  const QString paste = QLineEdit::tr("&Paste");
  for (QAction* action : menu.actions())
    if (action->text().startsWith(paste)) return action;
  return nullptr;
}

QMenu* LineEdit::CreateContextMenu() {
  QMenu* menu = createStandardContextMenu();
  if (QAction* paste = PasteAction(*menu)) {
    paste->disconnect();
    connect(paste, &QAction::triggered, this, [this] { InsertText(ClipboardText()); });
  }
  return menu;
}

void LineEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(CreateContextMenu());
  menu->exec(event->globalPos());
}

// A middle click pastes the X11 selection.
void LineEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && !isReadOnly() &&
      QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    InsertText(ClipboardText(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

// An input method's finished text; compositions still under way stay the
// input method's own.
void LineEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!isReadOnly() && !event->commitString().isEmpty() && event->preeditString().isEmpty() &&
      event->replacementLength() == 0) {
    InsertText(event->commitString());
    event->accept();
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

}  // namespace velmora::qt
