#pragma once
// The number field's editing rule: what typing or pasting makes of the
// field's text, and how a change that the rule did not see is settled by
// it. NumberPanel applies it (NumberPanel::Insert and NumberPanel::Settle);
// every front end hands the panel each insertion (a typed character, a
// paste, a drop, an input method's text) and shows what it gives, and none
// relies on its toolkit's own length limit, which may count UTF-16 units
// instead of characters. Positions count characters, as CountChars counts
// them; texts are UTF-8. Like NumberPanel, it knows nothing of widgets.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// Characters [start, end) of a text, in either order, clamped to the text.
struct Selection {
  std::size_t start = 0, end = 0;
  static constexpr Selection All() noexcept { return {0, SIZE_MAX}; }
};

struct FieldEdit {
  std::string text;       // the field's new text
  std::string inserted;   // what took the selection's place: what the rule kept
  std::size_t caret = 0;  // where the caret stands in the new text
  // Whether the insertion does anything: not when nothing went in and no
  // selection gave way (a full field, a paste that begins with a line
  // break). A front end then leaves its widget and its undo history alone.
  bool changes = true;
};

// Replaces `selection` of `text` by `inserted`, of which the field keeps:
//   - only what stands before its first line break (CR or LF): the field
//     holds one line;
//   - only as many of its first characters as fit in `limit` characters
//     (0: no limit) beside the text outside the selection. A character is a
//     code point and is never split.
// The text outside the selection always stays as it was; the caret stands
// just after what went in.
//   ("12", [2, 2), "3456", 4)       -> "1234", caret 4
//   ("11", [1, 1), "2345", 4)       -> "1231", caret 3
//   ("9999", [4, 4), "1", 4)        -> "9999", caret 4  (full: nothing goes in)
//   ("1234", [1, 3), "abcdef", 4)   -> "1ab4", caret 3  (the selection makes room)
//   ("", [0, 0), "5\n6\n7", 4)      -> "5", caret 1
//   ("", [0, 0), "\r\n12", 4)       -> "", caret 0
//   ("112", [3, 3), "😀😀", 4)      -> "112😀", caret 4
//   ("", [0, 0), "😀😀😀😀😀", 4)   -> "😀😀😀😀", caret 4
FieldEdit InsertIntoField(std::string_view text, Selection selection, std::string_view inserted,
                          std::size_t limit);

// The one span in which `was` and `now` differ: characters `replaced` of
// `was` gave way to `inserted`. `caret` is where the caret stands in `now`:
// the span ends at or before it, so that a character typed next to an equal
// one is found where it was typed. Characters are never split.
//   ("112", "1123", 4)   -> [3, 3) "3"
//   ("1111", "11111", 1) -> [0, 0) "1"  (typed at the start)
//   ("1234", "14", 1)    -> [1, 3) ""   (deleted)
//   ("Чи", "Ши", 1)      -> [0, 1) "Ш"  (one two-byte character for another)
struct FieldChange {
  Selection replaced;
  std::string inserted;
};
FieldChange ChangedSpan(std::string_view was, std::string_view now, std::size_t caret);

// A change that reached the field's widget without the rule (the toolkit's
// own deleting, undo, or an insertion by a route the front end does not
// see), settled by the rule as the one span that changed. `caret` is where
// the user left the caret in `now` (clamped to it); it stays there, moved
// back by what the rule dropped.
//   ("112", "112345", 6, 4) -> "1123", caret 4
//   ("12", "1ab2", 3, 4)    -> "1ab2", caret 3  (within the limit: as it is)
//   ("1234", "12", 2, 4)    -> "12", caret 2
//   ("9999", "19999", 1, 4) -> "9999", caret 0
FieldEdit SettleChange(std::string_view was, std::string_view now, std::size_t caret,
                       std::size_t limit);

}  // namespace velmora
