#pragma once
// The number field's editing rule: what typing or pasting makes of the
// field's text. Every front end hands each insertion (a typed character, a
// paste, a drop, an input method's text) to InsertIntoField and shows what
// it gives; none relies on its toolkit's own length limit, which may count
// UTF-16 units instead of characters. Like NumberPanel, it knows nothing of
// widgets.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

struct FieldEdit {
  std::string text;    // the field's new text (UTF-8)
  std::size_t caret;   // in characters: just after what was inserted
};

// Replaces the selection [selection_start, selection_end) of `text` (in
// characters, counted as by CountChars; either order, clamped to the text)
// by `inserted`, of which the field keeps:
//   - only what stands before its first line break (CR or LF): the field
//     holds one line;
//   - only as many of its first characters as fit in `limit` characters
//     (0: no limit) beside the text outside the selection. A character is a
//     code point and is never split.
// The text outside the selection always stays as it was.
//   ("12", 2, 2, "3456", 4)       -> "1234", caret 4
//   ("11", 1, 1, "2345", 4)       -> "1231", caret 3
//   ("9999", 4, 4, "1", 4)        -> "9999", caret 4  (full: nothing goes in)
//   ("1234", 1, 3, "abcdef", 4)   -> "1ab4", caret 3  (the selection makes room)
//   ("", 0, 0, "5\n6\n7", 4)      -> "5", caret 1
//   ("", 0, 0, "\r\n12", 4)       -> "", caret 0
//   ("112", 3, 3, "😀😀", 4)      -> "112😀", caret 4
//   ("", 0, 0, "😀😀😀😀😀", 4)   -> "😀😀😀😀", caret 4
FieldEdit InsertIntoField(std::string_view text, std::size_t selection_start,
                          std::size_t selection_end, std::string_view inserted,
                          std::size_t limit);

}  // namespace velmora
