#pragma once
// A one-line text box whose every insertion (typing, pasting by key, menu
// or middle click, input methods) goes through the field's editing rule
// (panel/field_edit.h): its limit counts characters, never UTF-16 units,
// and a paste keeps what stands before its first line break. Drops are not
// taken, as in a Windows edit box.

#include <cstddef>

#include <QLineEdit>
#include <QString>

class QMenu;
class QAction;

namespace velmora::qt {

// The Paste action of a line edit's standard context menu, or nullptr.
QAction* PasteAction(const QMenu& menu);

class LineEdit : public QLineEdit {
 public:
  explicit LineEdit(QWidget* parent);

  // The most characters the box takes from the user; 0 is none.
  void SetCharacterLimit(std::size_t limit) noexcept { limit_ = limit; }
  std::size_t CharacterLimit() const noexcept { return limit_; }

  // Puts `inserted` in place of the selection (or at the cursor) as the
  // rule allows; what the user does by typing or pasting.
  void InsertText(const QString& inserted);

  // The standard context menu, in the user's language, with its Paste
  // going through the rule. The caller owns it.
  QMenu* CreateContextMenu();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  std::size_t limit_ = 0;
};

}  // namespace velmora::qt
