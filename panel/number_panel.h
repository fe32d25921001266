#pragma once
// The number panel: the field, its limit and alignment, and the top line,
// with the window's two handlers. It is the one owner of the field's text:
// a front end hands it every insertion and every change its widget made by
// itself, and shows what it gives. It knows nothing of widgets.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "panel/alignment.h"
#include "panel/field_edit.h"

namespace velmora {

class NumberPanel {
 public:
  static constexpr std::string_view kInitialFieldText = "112";
  static constexpr std::string_view kInitialTopLine =
      "Естествено число - сума и разлика от цифри";
  static constexpr std::string_view kSumPrefix = "Сума от цифри: ";
  static constexpr std::size_t kFieldLimitOnLoad = 4;

  enum Button : std::int16_t { kIncrease = 0, kDecrease = 1 };

  // The separator a press writes for the user's regional one, as their
  // settings give it: ',' for a comma, '.' for anything else (a point, or
  // a character that no number is written with).
  //   ',' -> ','   '.' -> '.'   U+066B -> '.'   0 -> '.'
  static constexpr char SeparatorFor(char32_t regional) noexcept {
    return regional == U',' ? ',' : '.';
  }

  explicit NumberPanel(char32_t regional_separator = U'.');

  // The user's regional separator, learnt after the window opened (the web
  // page learns it late: the browser's number formats are slow to start).
  // Later presses write SeparatorFor it; nothing else changes.
  void SetRegionalSeparator(char32_t regional) noexcept { decimal_separator_ = SeparatorFor(regional); }

  // Window load, as every front end does it: the field takes its text from
  // the layout, then OnLoad runs.
  void Load(std::string_view field_text);

  // Field limit 4 (in characters), field text centred.
  void OnLoad();

  // A start typed into the loaded window, as a pupil puts it there: the
  // window loaded with its layout's text ("112"), then `typed` pasted over
  // the field's whole text. The field keeps what stands before a line
  // break, and its first 4 characters. Every program that starts the panel
  // from a text of its own (the driver, velmora-explore, the teachers'
  // page, the press fuzz target) starts it here.
  //   "116" -> "116",  "12345" -> "1234",  "1\n2" -> "1",  "" -> ""
  void StartWith(std::string_view typed);

  // A press of Command1(index): 0 adds the field's digit sum, 1 subtracts
  // it; the result goes back into the field, cut to the limit, and the top
  // line shows the digit sum of the new field text. Any other index raises
  // RuntimeError 5.
  void OnCommand(std::int16_t index);

  // Whether OnCommand(index) would write the decimal separator into the
  // field, so that what it shows depends on the user's regional one. No
  // other press does: ReadNumber reads only '.', any separator adds 0 to a
  // digit sum, and both are one character. A press that raises a run-time
  // error writes nothing.
  //   field "1.5", increase     -> true   (writes "7.5")
  //   field "112", increase     -> false  (writes "116")
  //   field "9999.5" (a layout's text, longer than the limit), increase
  //                             -> false  (10040.5 written, "1004" kept)
  bool PressWritesSeparator(std::int16_t index) const;

  // The user's insertion (typing, pasting, dropping, an input method's
  // text) in place of `selection`: the field's editing rule decides what
  // goes in (InsertIntoField, with the field's limit). Gives the edit; the
  // field text is then the edit's text.
  FieldEdit Insert(Selection selection, std::string_view text);

  // A change the field's widget made by itself: `text` is its text now and
  // `caret` the caret in it (characters). The rule settles it as the one
  // span that changed (SettleChange); a front end shows the field text and
  // the edit's caret when they differ from its widget's.
  FieldEdit Settle(std::string_view text, std::size_t caret);

  std::string_view FieldText() const noexcept { return field_text_; }
  std::size_t FieldLimit() const noexcept { return field_limit_; }  // 0: none
  Alignment FieldAlignment() const noexcept { return field_alignment_; }
  std::string_view TopLine() const noexcept { return top_line_; }
  char DecimalSeparator() const noexcept { return decimal_separator_; }

 private:
  // The field text that OnCommand(index) writes, cut to the limit.
  std::string Written(std::int16_t index) const;

  std::string field_text_{kInitialFieldText};
  std::size_t field_limit_ = 0;
  Alignment field_alignment_ = Alignment::Centre;
  std::string top_line_{kInitialTopLine};
  char decimal_separator_;
};

}  // namespace velmora
