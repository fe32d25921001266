#pragma once
// An EDIT control subclassed so that every insertion into it (a typed
// character, one beyond the basic plane in its two halves, a paste by
// Ctrl+V, Shift+Insert or WM_PASTE) goes to its owner's rule (for the number
// field, NumberPanel::Insert), which decides what goes in; the box puts that
// in place of its selection as its own replacement, so that undo keeps it.
// Ctrl+A selects the whole text. Positions cross in characters, never
// UTF-16 units. The twin of window/qt/line_edit.h.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string_view>

#include "panel/field_edit.h"
#include "window/win32/handler_failure.h"

namespace velmora::win32 {

class LineEdit {
 public:
  // What an insertion of a text (UTF-8) in place of a selection makes of
  // the box's text. Without one, the box takes insertions as they are.
  using Rule = std::function<FieldEdit(Selection, std::string_view)>;

  // Subclasses `edit`; a handler's failure goes to `failure`. The object
  // must go before the edit does.
  LineEdit(HWND edit, HandlerFailure& failure);
  ~LineEdit();  // gives the edit back its own window procedure
  LineEdit(const LineEdit&) = delete;
  LineEdit& operator=(const LineEdit&) = delete;

  void SetRule(Rule rule) { rule_ = std::move(rule); }
  HWND Handle() const noexcept { return edit_; }

  // The caret (the selection's end), in characters.
  std::size_t CaretChars() const;
  void SetCaretChars(std::size_t chars);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  LRESULT OnChar(WPARAM w, LPARAM l);
  LRESULT OnKeyDown(WPARAM w, LPARAM l);
  LRESULT OnPaste(WPARAM w, LPARAM l);
  LRESULT Default(UINT message, WPARAM w, LPARAM l);
  bool IsReadOnly() const;
  bool TakesInsertions() const;
  void Insert(std::wstring_view text);

  HWND edit_;
  WNDPROC own_proc_ = nullptr;
  HandlerFailure& failure_;
  Rule rule_;
  wchar_t high_surrogate_ = 0;  // the first half of a character being typed
};

}  // namespace velmora::win32
