#pragma once
// A character limit for a one-line text box, counted in characters (code
// points), where QLineEdit's own limit counts UTF-16 units. The box takes
// the user's edit first; this then keeps what a limited box would have
// taken: the edit's inserted text is cut so the result fits, and the text
// that was already there stays. Typing into a full box changes nothing,
// and a paste keeps only as many of its first characters as there is
// room for.

#include <cstddef>

#include <QString>

namespace velmora::qt {

struct FittedEdit {
  QString text;
  int cursor = 0;  // in UTF-16 units, as QLineEdit counts it
};

// `before` is the box's text before the edit, `after` and `cursor` its text
// and cursor position just after it (the cursor stands at the end of what
// was inserted). A `limit` of 0 is none.
//   FitEdit("12", "123456", 6, 4)   -> "1234", cursor 4
//   FitEdit("1234", "51234", 1, 4)  -> "1234", cursor 0
FittedEdit FitEdit(const QString& before, const QString& after, int cursor, std::size_t limit);

}  // namespace velmora::qt
