#include "panel/field_edit.h"

#include <algorithm>

#include "numbers/utf8.h"

namespace velmora {

FieldEdit InsertIntoField(std::string_view text, std::size_t selection_start,
                          std::size_t selection_end, std::string_view inserted,
                          std::size_t limit) {
  const std::size_t length = CountChars(text);
  const std::size_t from = std::min({selection_start, selection_end, length});
  const std::size_t to = std::min(std::max(selection_start, selection_end), length);
  const std::string_view before = CutToChars(text, from);
  const std::string_view after = text.substr(CutToChars(text, to).size());

  inserted = inserted.substr(0, std::min(inserted.find('\r'), inserted.find('\n')));
  const std::size_t kept_chars = length - (to - from);
  if (limit > 0) {
    const std::size_t room = kept_chars < limit ? limit - kept_chars : 0;
    inserted = CutToChars(inserted, room);
  }

  FieldEdit edit{std::string(before), from + CountChars(inserted)};
  edit.text.append(inserted).append(after);
  return edit;
}

}  // namespace velmora
