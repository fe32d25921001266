#include "window/layout_data.h"

#include <string_view>
#include <utility>

#include "panel/number_panel.h"
#include "version.h"  // VELMORA_SITE, generated from app/version.cmake

namespace velmora {
namespace {

// The exercise statement: seven lines, each ending in CR LF.
constexpr const char* kStatement =
    "Да се реализира проект, чрез който се осъществява вътрешнопредметна връзка в Информатика.\r\n"
    "Тема на проекта: Информатика - естествено число, сума и разлика от цифри.\r\n"
    "Проектът да дава възможност въведеното цяло число:\r\n"
    " - да се увеличава със сбор на на цифрите си;\r\n"
    " - да се намалява със сбор на цифрите си.\r\n"
    "Въвеждането на цялото число е в текстово поле, а промяната му се осъществява чрез командни бутони.\r\n"
    "Проверете дали е възможно след последователно използване и на двата командни бутона числото да стане 0.\r\n";

// The saying, never shown; it ends in a blank before its CR LF.
constexpr const char* kSaying =
    "Неприятното в това да си първият, направил нещо по правилния начин, е, че никой не оценява колко трудно е било. \r\n";

// Class identifiers of the window's class, of the window, and of the form
// class, in the record's header.
constexpr ClassId kWindowClassId = {0x56, 0x4C, 0x4D, 0x52, 0x2D, 0x57, 0x4E, 0x44,
                                    0x31, 0x9A, 0x44, 0x7C, 0xB2, 0x05, 0x61, 0x01};
constexpr ClassId kWindowId = {0x56, 0x4C, 0x4D, 0x52, 0x2D, 0x46, 0x52, 0x4D,
                               0x31, 0x9A, 0x44, 0x7C, 0xB2, 0x05, 0x61, 0x02};
constexpr ClassId kFormClassId = {0x56, 0x4C, 0x4D, 0x52, 0x2D, 0x43, 0x4C, 0x53,
                                  0x31, 0x9A, 0x44, 0x7C, 0xB2, 0x05, 0x61, 0x03};

constexpr Colour kLabelColour = 0x0080C0FF;  // RGB(255, 192, 128)

// What every control stores: array, kind, Index, place, tab index and text.
Control Entry(const char* name, std::uint8_t array_number, ControlKind kind, std::int16_t index,
              TwipsRect bounds, std::int16_t tab, std::string_view text) {
  Control c;
  c.name = name, c.array_number = array_number, c.kind = kind, c.index = index;
  c.bounds = bounds, c.tab_index = tab, c.text = text;
  return c;
}

Control Label(std::int16_t index, TwipsRect bounds, std::int16_t tab, std::string_view caption) {
  Control c = Entry("Label1", 4, ControlKind::Label, index, bounds, tab, caption);
  c.back_colour = kLabelColour;
  c.alignment = Alignment::Centre;
  return c;
}

Control Button(std::int16_t index, TwipsRect bounds, std::int16_t tab, std::string_view caption,
               Colour colour) {
  Control c = Entry("Command1", 2, ControlKind::CommandButton, index, bounds, tab, caption);
  c.back_colour = colour;
  c.own_colour = true;
  return c;
}

// Text1: several lines, vertical scroll bar, read-only.
Control Note(std::int16_t index, TwipsRect bounds, std::int16_t tab, std::string_view text) {
  Control c = Entry("Text1", 3, ControlKind::TextBox, index, bounds, tab, text);
  c.multi_line = true;
  c.scroll_bars = ScrollBars::Vertical;
  c.read_only = true;
  return c;
}

// The field and the top line start with the panel's initial texts.
Control NumberField() {
  Control c = Entry("Text2", 1, ControlKind::TextBox, 0, {1320, 960, 1335, 405}, 6,
                    NumberPanel::kInitialFieldText);
  c.alignment = Alignment::Centre;
  return c;
}

Layout Build() {
  Layout l;
  l.class_ids = {kWindowClassId, kWindowId, kFormClassId};
  l.name = "Velmora";
  l.caption = VELMORA_SITE " Информатика - сума, разлика между цифри и число";
  l.back_colour = 0x00FFC0C0;  // RGB(192, 192, 255)
  l.link_topic = "Velmora";
  l.kept_for_rewrite_26 = 0, l.kept_for_rewrite_27 = 0, l.kept_for_rewrite_46 = 1;
  l.client = {45, 435, 8040, 3870};
  l.font = {"Times New Roman", 204, 0, 400, 120000};

  Control hidden_saying = Note(1, {600, 2280, 6735, 1815}, 1, kSaying);
  hidden_saying.visible = false;
  l.controls = {
      NumberField(),
      Button(1, {4320, 1080, 2415, 375}, 5, "Намалява със сбор", 0x00FF8080),
      Button(0, {4320, 600, 2415, 375}, 4, "Увеличава със сбор", 0x00FFFF80),
      hidden_saying,
      Note(0, {240, 1920, 7455, 1815}, 0, kStatement),
      Label(1, {1320, 600, 1335, 375}, 3, "Число"),
      Label(0, {1320, 0, 5415, 375}, 2, NumberPanel::kInitialTopLine),
  };
  return l;
}

}  // namespace

const Layout& VelmoraLayout() {
  static const Layout layout = Build();
  return layout;
}

Layout VelmoraLayout(std::vector<std::uint8_t> icon_file) {
  Layout l = VelmoraLayout();
  l.icon = std::move(icon_file);
  return l;
}

}  // namespace velmora
