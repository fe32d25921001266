#include "panel/field_edit.h"

#include <algorithm>

#include "numbers/utf8.h"

namespace velmora {

namespace {

constexpr bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool InsideChar(std::string_view text, std::size_t at) {
  return at < text.size() && IsContinuation(text[at]);
}

}  // namespace

FieldEdit InsertIntoField(std::string_view text, Selection selection, std::string_view inserted,
                          std::size_t limit) {
  const std::size_t length = CountChars(text);
  const std::size_t from = std::min({selection.start, selection.end, length});
  const std::size_t to = std::min(std::max(selection.start, selection.end), length);
  const std::string_view before = CutToChars(text, from);
  const std::string_view after = text.substr(CutToChars(text, to).size());

  inserted = inserted.substr(0, std::min(inserted.find('\r'), inserted.find('\n')));
  const std::size_t kept_chars = length - (to - from);
  if (limit > 0) {
    const std::size_t room = kept_chars < limit ? limit - kept_chars : 0;
    inserted = CutToChars(inserted, room);
  }

  FieldEdit edit{std::string(before), std::string(inserted), from + CountChars(inserted),
                 from != to || !inserted.empty()};
  edit.text.append(inserted).append(after);
  return edit;
}

FieldChange ChangedSpan(std::string_view was, std::string_view now, std::size_t caret) {
  // In bytes: the common end, none of it before the caret, then the common
  // start, none of it inside the common end.
  const std::size_t caret_byte = CutToChars(now, caret).size();
  std::size_t common_end = 0;
  while (common_end < was.size() && common_end < now.size() - caret_byte &&
         was[was.size() - 1 - common_end] == now[now.size() - 1 - common_end])
    ++common_end;
  const std::size_t limit = std::min(was.size(), now.size()) - common_end;
  std::size_t common_start = 0;
  while (common_start < limit && was[common_start] == now[common_start]) ++common_start;

  // Whole characters only: equal bytes before a position decode alike.
  while (common_start > 0 && (InsideChar(was, common_start) || InsideChar(now, common_start)))
    --common_start;
  while (common_end > 0 && InsideChar(was, was.size() - common_end)) --common_end;

  const std::size_t start = CountChars(was.substr(0, common_start));
  const std::size_t end = CountChars(was.substr(0, was.size() - common_end));
  return {{start, end},
          std::string(now.substr(common_start, now.size() - common_end - common_start))};
}

FieldEdit SettleChange(std::string_view was, std::string_view now, std::size_t caret,
                       std::size_t limit) {
  caret = std::min(caret, CountChars(now));
  const FieldChange change = ChangedSpan(was, now, caret);
  FieldEdit edit = InsertIntoField(was, change.replaced, change.inserted, limit);
  // Before the span the caret keeps its place; past what went in, it moves
  // back by what the rule dropped.
  const std::size_t from = change.replaced.start;
  const std::size_t offered = CountChars(change.inserted);
  const std::size_t kept = CountChars(edit.inserted);
  if (caret > from + offered)
    edit.caret = caret - (offered - kept);
  else
    edit.caret = std::min(caret, from + kept);
  return edit;
}

}  // namespace velmora
