#include "window/qt/field_edit.h"

#include <algorithm>
#include <string>

namespace velmora::qt {

namespace {

FittedEdit FromChars(const std::u32string& text, const std::u32string& before_cursor) {
  return {QString::fromStdU32String(text),
          static_cast<int>(QString::fromStdU32String(before_cursor).size())};
}

}  // namespace

FittedEdit FitEdit(const QString& before, const QString& after, int cursor, std::size_t limit) {
  const std::u32string edited = after.toStdU32String();
  if (limit == 0 || edited.size() <= limit) return {after, cursor};

  const std::u32string old = before.toStdU32String();
  const std::size_t at =  // the cursor, in characters
      after.left(std::clamp<qsizetype>(cursor, 0, after.size())).toStdU32String().size();
  const std::size_t tail = edited.size() - at;  // what follows the cursor: left as it was
  if (tail > old.size() || old.compare(old.size() - tail, tail, edited, at, tail) != 0) {
    // Not an insertion at the cursor: keep the first characters.
    const std::u32string first = edited.substr(0, limit);
    return FromChars(first, first);
  }
  std::size_t head = 0;  // what precedes the inserted text: left as it was
  while (head < at && head < old.size() - tail && edited[head] == old[head]) ++head;
  if (head + tail > limit) {  // the text was over the limit already
    const std::u32string first = edited.substr(0, limit);
    return FromChars(first, first);
  }
  const std::u32string kept =
      edited.substr(0, head) + edited.substr(head, std::min(at - head, limit - head - tail));
  return FromChars(kept + edited.substr(at), kept);
}

}  // namespace velmora::qt
