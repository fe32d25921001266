#include "window/win32/line_edit.h"

#include <algorithm>
#include <string>

#include "numbers/utf16.h"
#include "window/win32/text.h"

namespace velmora::win32 {
namespace {

// Typed by Ctrl+A and Ctrl+V: WM_CHAR brings them as control characters.
constexpr wchar_t kCtrlA = 0x01, kCtrlV = 0x16;

// The clipboard's text, or nothing when it holds none or cannot be opened.
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

struct UnitSelection {
  std::size_t start = 0, end = 0;
};

UnitSelection SelectionOf(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {std::min(start, end), std::max(start, end)};
}

}  // namespace

std::optional<LRESULT> SelectAllKey::Filter(UINT message, WPARAM w, LPARAM) {
  if (message != WM_CHAR || w != kCtrlA) return std::nullopt;
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  return 0;
}

std::size_t LineEdit::CaretChars() const {
  const std::wstring text = WindowText(edit_);
  return CharsInUnits(std::wstring_view(text), SelectionOf(edit_).end);
}

void LineEdit::SetCaretChars(std::size_t chars) {
  const std::wstring text = WindowText(edit_);
  const auto at = static_cast<WPARAM>(UnitsOfChars(std::wstring_view(text), chars));
  SendMessageW(edit_, EM_SETSEL, at, static_cast<LPARAM>(at));
}

std::optional<LRESULT> LineEdit::Filter(UINT message, WPARAM w, LPARAM) {
  switch (message) {
    case WM_CHAR: return OnChar(w);
    case WM_KEYDOWN: return OnKeyDown(w);
    case WM_PASTE: return OnPaste();
    default: return std::nullopt;
  }
}

bool LineEdit::IsReadOnly() const { return (GetWindowLongPtrW(edit_, GWL_STYLE) & ES_READONLY) != 0; }

bool LineEdit::TakesInsertions() const { return rule_ && !IsReadOnly(); }

std::optional<LRESULT> LineEdit::OnChar(WPARAM w) {
  const auto unit = static_cast<wchar_t>(w);
  if (!TakesInsertions() || (unit < 0x20 && unit != kCtrlV) || unit == 0x7F)
    return std::nullopt;  // Backspace, Enter, Ctrl+Z...: the box's own
  if (unit == kCtrlV) {
    Insert(ClipboardText(edit_));
  } else if (IsHighSurrogate(unit)) {
    high_surrogate_ = unit;  // a character beyond the basic plane comes in two halves
  } else if (IsLowSurrogate(unit)) {
    if (high_surrogate_) Insert(std::wstring{high_surrogate_, unit});
    high_surrogate_ = 0;
  } else {
    high_surrogate_ = 0;
    Insert(std::wstring_view(&unit, 1));
  }
  return 0;
}

// Shift+Insert pastes too.
std::optional<LRESULT> LineEdit::OnKeyDown(WPARAM w) {
  if (w != VK_INSERT || GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_CONTROL) < 0 ||
      !TakesInsertions())
    return std::nullopt;
  Insert(ClipboardText(edit_));
  return 0;
}

std::optional<LRESULT> LineEdit::OnPaste() {
  if (IsReadOnly()) return 0;
  if (!rule_) return std::nullopt;
  Insert(ClipboardText(edit_));
  return 0;
}

// What the rule kept goes in as the box's own replacement of its
// selection, so that the box's undo takes it back (the panel then settles
// the undone text, NumberWindow::OnEdited).
void LineEdit::Insert(std::wstring_view inserted) {
  const std::wstring current = WindowText(edit_);
  const std::wstring_view units(current);
  const UnitSelection selection = SelectionOf(edit_);
  const FieldEdit edit = rule_({CharsInUnits(units, selection.start), CharsInUnits(units, selection.end)},
                               Utf8(inserted));
  if (!edit.changes) return;
  const std::wstring kept = Utf16(edit.inserted);
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

}  // namespace velmora::win32
