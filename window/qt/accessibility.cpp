#include "window/qt/accessibility.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTextBoundaryFinder>

#include "window/qt/form.h"
#include "window/qt/line_edit.h"

namespace velmora::qt {

namespace {

// Assistive technology sees the form as a window (a plain QWidget would be
// an unnamed client area) whose children are the controls it shows: a
// hidden control (the saying) is not there at all.
class AccessibleForm : public QAccessibleWidget {
 public:
  explicit AccessibleForm(Form* form) : QAccessibleWidget(form, QAccessible::Window) {}

  int childCount() const override { return static_cast<int>(Shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QWidget*> shown = Shown();
    if (index < 0 || static_cast<std::size_t>(index) >= shown.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(shown[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QWidget*> shown = Shown();
    const auto at = std::find(shown.begin(), shown.end(), child ? child->object() : nullptr);
    return at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
  }

 private:
  std::vector<QWidget*> Shown() const {
    std::vector<QWidget*> shown;
    for (QObject* object : widget()->children()) {
      auto* w = qobject_cast<QWidget*>(object);
      if (w && !w->isWindow() && !w->isHidden()) shown.push_back(w);
    }
    return shown;
  }
};

// One piece of a text, [start, end) in UTF-16 units (the offsets of all of
// Qt's text interfaces); {-1, -1} is none.
struct Span {
  int start = -1;
  int end = -1;
};

bool IsLineLike(QAccessible::TextBoundaryType boundary) {
  return boundary != QAccessible::CharBoundary && boundary != QAccessible::WordBoundary &&
         boundary != QAccessible::SentenceBoundary;
}

// The pieces of a one-line text, in order, covering it: characters
// (grapheme clusters); words, each running to the next word's start (what
// stands before the first word is a piece of its own), as screen readers
// ask for them and as the caret's word moves go; sentences; or, for a line
// or a paragraph, the whole text.
std::vector<Span> Pieces(const QString& text, QAccessible::TextBoundaryType boundary) {
  const int length = static_cast<int>(text.size());
  if (length == 0) return {};
  if (IsLineLike(boundary)) return {{0, length}};
  const auto type = boundary == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                    : boundary == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                            : QTextBoundaryFinder::Sentence;
  QTextBoundaryFinder finder(type, text);
  std::vector<Span> pieces;
  int start = 0;
  // toNextBoundary gives -1 past the end, where the loop stops.
  for (int at = static_cast<int>(finder.toNextBoundary()); at > 0;
       at = static_cast<int>(finder.toNextBoundary())) {
    const bool splits = finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem;
    if (at < length && !splits) continue;
    pieces.push_back({start, at});
    start = at;
    if (at == length) break;
  }
  return pieces;
}

// Which piece the caret at `offset` stands in. At the end of the text the
// caret stands in the last line; for characters, words and sentences it
// stands past the last piece (pieces.size()). An offset outside the text
// has none (-1).
int PieceAt(const std::vector<Span>& pieces, int offset, int length,
            QAccessible::TextBoundaryType boundary) {
  if (offset < 0 || offset > length) return -1;
  if (offset == length)
    return IsLineLike(boundary) && !pieces.empty() ? static_cast<int>(pieces.size()) - 1
                                                   : static_cast<int>(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (offset < pieces[i].end) return static_cast<int>(i);
  return -1;
}

enum class Relative { Before, At, After };

// The text a screen reader asks for: the piece before, at or after the one
// at `offset`, answered for every offset, the end of the text and past it
// included.
// Works around Qt 6.4's line edit, whose word or sentence at the text's end loops for ever.
QString PieceOfText(const QString& text, int offset, QAccessible::TextBoundaryType boundary,
                    Relative relative, int* start, int* end) {
  const std::vector<Span> pieces = Pieces(text, boundary);
  const int at = PieceAt(pieces, offset, static_cast<int>(text.size()), boundary);
  const int wanted = at < 0 ? -1 : relative == Relative::Before ? at - 1
                                 : relative == Relative::After  ? at + 1
                                                                : at;
  const Span span = wanted >= 0 && static_cast<std::size_t>(wanted) < pieces.size()
                        ? pieces[static_cast<std::size_t>(wanted)]
                        : Span{};
  *start = span.start;
  *end = span.end;
  return span.start < 0 ? QString() : text.mid(span.start, span.end - span.start);
}

// A one-line text box. Its edits go through the box's rule (LineEdit), as
// the user's own typing does; a read-only box takes none.
class AccessibleLineEdit : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  explicit AccessibleLineEdit(QLineEdit* line)
      : QAccessibleWidget(line, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Line().text();
    return QAccessibleWidget::text(t);
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (t == QAccessible::Value) replaceText(0, characterCount(), text);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Line().isReadOnly();
    state.editable = !Line().isReadOnly();
    state.selectableText = true;
    return state;
  }

  // ---- Text
  QString text(int start, int end) const override { return Line().text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Line().text().size()); }
  int cursorPosition() const override { return Line().cursorPosition(); }
  void setCursorPosition(int position) override { Line().setCursorPosition(position); }

  int selectionCount() const override { return Line().hasSelectedText() ? 1 : 0; }
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !Line().hasSelectedText()) return;
    *start = Line().selectionStart();
    *end = Line().selectionEnd();
  }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) Line().deselect();
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) Line().setSelection(start, end - start);
  }

  // One run of attributes spans the whole text (Qt's own gives a run of
  // no length at each offset, so that a screen reader that reads the text
  // run by run leaves out its last character).
  QString attributes(int offset, int* start, int* end) const override {
    if (offset == kCaret) offset = cursorPosition();
    const int length = characterCount();
    const bool inside = offset >= 0 && offset <= length;
    *start = inside ? 0 : -1;
    *end = inside ? length : -1;
    return {};
  }

  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                           int* end) const override {
    return Piece(offset, boundary, Relative::Before, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                       int* end) const override {
    return Piece(offset, boundary, Relative::At, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                          int* end) const override {
    return Piece(offset, boundary, Relative::After, start, end);
  }

  // Where a character is drawn, on the screen: measured from the caret,
  // which Qt places in the middle of its cursor rectangle, by the width of
  // the text between (exact for a left-to-right line in one font).
  QRect characterRect(int offset) const override {
    const QString shown = Line().text();
    if (offset < 0 || offset >= shown.size()) return {};
    const QFontMetrics metrics(Line().font());
    const QRect caret = Line().inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.left() + caret.width() / 2 +
                  metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(Line().cursorPosition()));
    const int width = std::max(1, metrics.horizontalAdvance(shown.mid(offset, 1)));
    return QRect(Line().mapToGlobal(QPoint(x, caret.top())), QSize(width, caret.height()));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Line().cursorPositionAt(Line().mapFromGlobal(point));
  }
  void scrollToSubstring(int start, int end) override {
    Line().setCursorPosition(end);
    Line().setCursorPosition(start);
  }

  // ---- Editable text
  void deleteText(int start, int end) override { replaceText(start, end, {}); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    if (Line().isReadOnly()) return;
    Line().setSelection(start, end - start);
    if (auto* edit = dynamic_cast<LineEdit*>(&Line())) {
      edit->InsertText(text);
    } else {
      Line().insert(text);
    }
  }

 private:
  static constexpr int kCaret = -2;  // the offset that names the caret

  QLineEdit& Line() const { return *static_cast<QLineEdit*>(widget()); }

  QString Piece(int offset, QAccessible::TextBoundaryType boundary, Relative relative, int* start,
                int* end) const {
    if (offset == kCaret) offset = cursorPosition();
    return PieceOfText(Line().text(), offset, boundary, relative, start, end);
  }
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  if (auto* form = dynamic_cast<Form*>(object)) return new AccessibleForm(form);
  if (auto* notification = dynamic_cast<Notification*>(object))
    return new QAccessibleWidget(notification, QAccessible::Notification);
  // Every line edit (its class name is known even while a subclass is
  // still being built).
  if (class_name == QLatin1String("QLineEdit"))
    return new AccessibleLineEdit(static_cast<QLineEdit*>(object));
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

Notification::Notification(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Notification::Announce(const QString& text) {
  setAccessibleName(text);
  hide();
  show();
}

}  // namespace velmora::qt
