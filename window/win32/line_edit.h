#pragma once
// A one-line EDIT control whose every insertion (a typed character, one
// beyond the basic plane in its two halves, a paste by Ctrl+V, Shift+Insert
// or WM_PASTE) goes to its owner's rule (for the number field,
// NumberPanel::Insert), which decides what goes in. The box puts that in
// place of its selection itself, as its own replacement (EM_REPLACESEL),
// so that its undo keeps it: this is the one write into the field that
// does not come from ShowPanel, and ShowPanel then finds the field as the
// panel has it. Positions cross in characters, never UTF-16 units. A
// filter of the box's Subclass. The twin of window/qt/line_edit.h.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "panel/field_edit.h"
#include "window/win32/subclass.h"

namespace velmora::win32 {

class LineEdit final : public MessageFilter {
 public:
  // What an insertion of a text (UTF-8) in place of a selection makes of
  // the box's text. Without one, the box takes insertions as they are.
  using Rule = std::function<FieldEdit(Selection, std::string_view)>;

  explicit LineEdit(HWND edit) noexcept : edit_(edit) {}

  void SetRule(Rule rule) { rule_ = std::move(rule); }
  HWND Handle() const noexcept { return edit_; }

  // The caret (the selection's end), in characters.
  std::size_t CaretChars() const;
  void SetCaretChars(std::size_t chars);

  std::optional<LRESULT> Filter(UINT message, WPARAM w, LPARAM l) override;

 private:
  std::optional<LRESULT> OnChar(WPARAM w);
  std::optional<LRESULT> OnKeyDown(WPARAM w);
  std::optional<LRESULT> OnPaste();
  bool IsReadOnly() const;
  bool TakesInsertions() const;
  void Insert(std::wstring_view text);

  HWND edit_;
  Rule rule_;
  wchar_t high_surrogate_ = 0;  // the first half of a character being typed
};

// Ctrl+A selects the whole text of a text box (which the system's own
// EDIT control leaves undone). A filter of every text box's Subclass.
class SelectAllKey final : public MessageFilter {
 public:
  explicit SelectAllKey(HWND edit) noexcept : edit_(edit) {}
  std::optional<LRESULT> Filter(UINT message, WPARAM w, LPARAM l) override;

 private:
  HWND edit_;
};

}  // namespace velmora::win32
