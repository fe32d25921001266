#pragma once
// A one-line text box whose every insertion (typing, pasting by key, menu
// or middle click, input methods) goes to its owner's rule (for the number
// field, NumberPanel::Insert), which decides what goes in; the box puts
// that in place of its selection. Positions cross in characters, never
// UTF-16 units. Drops are not taken, as in a Windows edit box.

#include <cstddef>
#include <functional>
#include <string_view>

#include <QLineEdit>
#include <QString>

#include "panel/field_edit.h"

class QMenu;
class QAction;

namespace velmora::qt {

// The Paste action of a line edit's standard context menu, or nullptr.
QAction* PasteAction(const QMenu& menu);

class LineEdit : public QLineEdit {
 public:
  explicit LineEdit(QWidget* parent);

  // What an insertion of a text (UTF-8) in place of a selection makes of
  // the box's text. Without one, the box takes insertions as they are.
  using Rule = std::function<FieldEdit(Selection, std::string_view)>;
  void SetRule(Rule rule) { rule_ = std::move(rule); }

  // Puts `inserted` in place of the selection (or at the cursor) as the
  // rule allows; what the user does by typing or pasting.
  void InsertText(const QString& inserted);

  // The cursor, in characters.
  std::size_t CursorChars() const;
  void SetCursorChars(std::size_t chars);

  // The standard context menu, in the user's language, with its Paste
  // going through the rule. The caller owns it.
  QMenu* CreateContextMenu();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  Rule rule_;
};

}  // namespace velmora::qt
