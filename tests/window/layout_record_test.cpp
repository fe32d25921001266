// The record the build writes: read back, it holds every value of the
// window's layout; and its bytes have the stated structure.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/window/built_icon.h"
#include "tests/window/record_walk.h"
#include "version.h"
#include "window/embedded_record.h"
#include "window/layout_data.h"
#include "window/record_reader.h"
#include "window/record_writer.h"

namespace velmora {
namespace {

using test::Le;

const std::vector<std::uint8_t>& Record() {
  static const std::vector<std::uint8_t> record = WriteLayoutRecord(test::BuiltLayout());
  return record;
}

const char* const kStatement[] = {
    "Да се реализира проект, чрез който се осъществява вътрешнопредметна връзка в Информатика.",
    "Тема на проекта: Информатика - естествено число, сума и разлика от цифри.",
    "Проектът да дава възможност въведеното цяло число:",
    " - да се увеличава със сбор на на цифрите си;",
    " - да се намалява със сбор на цифрите си.",
    "Въвеждането на цялото число е в текстово поле, а промяната му се осъществява чрез командни бутони.",
    "Проверете дали е възможно след последователно използване и на двата командни бутона числото да стане 0.",
};
const char* const kSaying =
    "Неприятното в това да си първият, направил нещо по правилния начин, е, че никой не оценява колко трудно е било. ";

std::string Statement() {
  std::string s;
  for (const char* line : kStatement) s += std::string(line) + "\r\n";
  return s;
}

TEST(LayoutRecord, BuildEmbedsWhatTheWriterWrites) {
  const auto embedded = EmbeddedRecord();
  EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), Record().begin(), Record().end()));
  EXPECT_TRUE(ReadLayoutRecord(Record()) == test::BuiltLayout());
}

TEST(LayoutRecord, WindowSettings) {
  const Layout l = ReadLayoutRecord(Record());
  EXPECT_EQ(l.name, "Velmora");
  EXPECT_EQ(l.caption, VELMORA_SITE " Информатика - сума, разлика между цифри и число");
  EXPECT_EQ(l.back_colour, 0x00FFC0C0u);
  EXPECT_EQ((std::array{ColourRed(l.back_colour), ColourGreen(l.back_colour), ColourBlue(l.back_colour)}),
            (std::array<std::uint8_t, 3>{192, 192, 255}));
  EXPECT_EQ(l.client, (TwipsRect{45, 435, 8040, 3870}));
  EXPECT_EQ(l.font, (Font{"Times New Roman", 204, 0, 400, 120000}));
  EXPECT_EQ(l.kept_for_rewrite_26, 0);
  EXPECT_EQ(l.kept_for_rewrite_27, 0);
  EXPECT_EQ(l.kept_for_rewrite_46, 1);
  EXPECT_EQ(l.icon, test::BuiltIconFile());
}

TEST(LayoutRecord, VersionData) {
  EXPECT_STREQ(VELMORA_SITE, "www.velmora.example");
  EXPECT_STREQ(VELMORA_COMPANY, VELMORA_SITE);
  EXPECT_STREQ(VELMORA_COPYRIGHT, VELMORA_SITE);
  EXPECT_STREQ(VELMORA_TRADEMARKS, VELMORA_SITE);
  EXPECT_STREQ(VELMORA_FILE_VERSION, "1.00");
  EXPECT_STREQ(VELMORA_PRODUCT_VERSION, "1.00");
  EXPECT_STREQ(VELMORA_INTERNAL_NAME, "Velmora");
  EXPECT_STREQ(VELMORA_ORIGINAL_FILENAME, "Velmora.exe");
}

struct ControlRow {
  const char* name;
  std::int16_t index;
  std::uint8_t number;
  ControlKind kind;
  TwipsRect bounds;
  std::int16_t tab;
  std::string text;
  std::optional<Colour> back_colour;
  std::optional<Alignment> alignment;
  bool note;  // several lines, vertical scroll bar, read-only
  std::optional<bool> visible;
  std::optional<bool> own_colour;
};

TEST(LayoutRecord, ControlsInRecordOrder) {
  constexpr auto label = ControlKind::Label, text = ControlKind::TextBox,
                 button = ControlKind::CommandButton;
  constexpr auto centre = Alignment::Centre;
  const ControlRow rows[] = {
      {"Text2", 0, 1, text, {1320, 960, 1335, 405}, 6, "112", {}, centre, false, {}, {}},
      {"Command1", 1, 2, button, {4320, 1080, 2415, 375}, 5, "Намалява със сбор", 0x00FF8080, {}, false, {}, true},
      {"Command1", 0, 2, button, {4320, 600, 2415, 375}, 4, "Увеличава със сбор", 0x00FFFF80, {}, false, {}, true},
      {"Text1", 1, 3, text, {600, 2280, 6735, 1815}, 1, std::string(kSaying) + "\r\n", {}, {}, true, false, {}},
      {"Text1", 0, 3, text, {240, 1920, 7455, 1815}, 0, Statement(), {}, {}, true, {}, {}},
      {"Label1", 1, 4, label, {1320, 600, 1335, 375}, 3, "Число", 0x0080C0FF, centre, false, {}, {}},
      {"Label1", 0, 4, label, {1320, 0, 5415, 375}, 2, "Естествено число - сума и разлика от цифри",
       0x0080C0FF, centre, false, {}, {}},
  };
  const Layout l = ReadLayoutRecord(Record());
  ASSERT_EQ(l.controls.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const ControlRow& row = rows[i];
    const Control& c = l.controls[i];
    SCOPED_TRACE(std::string(row.name) + "(" + std::to_string(row.index) + ")");
    EXPECT_EQ(c.name, row.name);
    EXPECT_EQ(c.index, row.index);
    EXPECT_EQ(c.array_number, row.number);
    EXPECT_EQ(c.kind, row.kind);
    EXPECT_EQ(c.bounds, row.bounds);
    EXPECT_EQ(c.tab_index, row.tab);
    EXPECT_EQ(c.text, row.text);
    EXPECT_EQ(c.back_colour, row.back_colour);
    EXPECT_EQ(c.alignment, row.alignment);
    EXPECT_EQ(c.visible, row.visible);
    EXPECT_EQ(c.own_colour, row.own_colour);
    EXPECT_EQ(c.multi_line, row.note ? std::optional(true) : std::nullopt);
    EXPECT_EQ(c.scroll_bars, row.note ? std::optional(ScrollBars::Vertical) : std::nullopt);
    EXPECT_EQ(c.read_only, row.note ? std::optional(true) : std::nullopt);
  }
}

TEST(LayoutRecordBytes, Header) {
  const auto& r = Record();
  const Layout& table = VelmoraLayout();
  EXPECT_EQ(std::vector(r.begin(), r.begin() + 5), (std::vector<std::uint8_t>{0xFF, 0xCC, 0x31, 0x00, 4}));
  for (const ClassId& id : table.class_ids)
    EXPECT_EQ(std::search(r.begin() + 5, r.begin() + 53, id.begin(), id.end()) - r.begin(),
              5 + 16 * (&id - table.class_ids.data()));
  EXPECT_TRUE(std::all_of(r.begin() + 53, r.begin() + 89, [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(Le(r, 89, 4), r.size() - 89);
  const test::Walk w = test::WalkRecord(r);
  EXPECT_EQ(93 + Le(r, 93, 4), w.controls.at(0).marker_at);
  EXPECT_EQ(r[97], 0);
  EXPECT_EQ(w.window.name, "Velmora");
  EXPECT_EQ(w.window.kind, 13);
  EXPECT_EQ(w.window.end_at + 1, w.controls[0].marker_at);
}

TEST(LayoutRecordBytes, WindowSettings) {
  const auto& r = Record();
  const test::Walk w = test::WalkRecord(r);
  std::vector<int> codes;
  for (const auto& s : w.window.settings) codes.push_back(s.code);
  EXPECT_EQ(codes, (std::vector<int>{0x01, 0x03, 0x19, 0x24, 0x26, 0x27, 0x35, 0x40, 0x46}));

  using Bytes = std::vector<std::uint8_t>;
  EXPECT_EQ(test::Find(w.window, 0x03).value, (Bytes{0xC0, 0xC0, 0xFF, 0x00}));
  EXPECT_EQ(test::Find(w.window, 0x26).value, Bytes{0});
  EXPECT_EQ(test::Find(w.window, 0x27).value, Bytes{0});
  EXPECT_EQ(test::Find(w.window, 0x46).value, Bytes{1});
  const Bytes client = test::Find(w.window, 0x35).value;
  EXPECT_EQ((std::vector{Le(client, 0, 4), Le(client, 4, 4), Le(client, 8, 4), Le(client, 12, 4)}),
            (std::vector<std::uint32_t>{45, 435, 8040, 3870}));
  Bytes font = {1, 204, 0, 0, 0x90, 0x01, 0xC0, 0xD4, 0x01, 0x00, 15};
  for (char ch : std::string("Times New Roman")) font.push_back(static_cast<std::uint8_t>(ch));
  EXPECT_EQ(test::Find(w.window, 0x40).value, font);

  const Bytes icon = test::Find(w.window, 0x19).value;
  ASSERT_EQ(icon.size(), 7u + 4 + 2254);
  EXPECT_EQ(Bytes(icon.begin(), icon.begin() + 7), (Bytes{0x01, 0x00, 0x42, 0x00, 0x22, 0x01, 0x23}));
  EXPECT_EQ(Le(icon, 7, 4), 2254u);
  EXPECT_EQ(Bytes(icon.begin() + 11, icon.begin() + 15), (Bytes{0x6C, 0x74, 0x00, 0x00}));
  EXPECT_EQ(Le(icon, 15, 4), 2246u);
  EXPECT_EQ(Le(icon, 19 + 6 + 8, 4), 2224u);  // the entry's image size
  EXPECT_EQ(Le(icon, 19 + 6 + 12, 4), 22u);   // and offset
}

TEST(LayoutRecordBytes, ControlRecords) {
  struct Row {
    const char* name;
    int index, number, kind;
    std::vector<int> codes;
  };
  const Row rows[] = {
      {"Text2", 0, 1, 2, {0x01, 0x04, 0x0B, 0x12, 0x24}},
      {"Command1", 1, 2, 4, {0x01, 0x02, 0x03, 0x04, 0x11, 0x29}},
      {"Command1", 0, 2, 4, {0x01, 0x02, 0x03, 0x04, 0x11, 0x29}},
      {"Text1", 1, 3, 2, {0x01, 0x04, 0x09, 0x0B, 0x12, 0x17, 0x18, 0x2D}},
      {"Text1", 0, 3, 2, {0x01, 0x04, 0x0B, 0x12, 0x17, 0x18, 0x2D}},
      {"Label1", 1, 4, 1, {0x01, 0x02, 0x03, 0x05, 0x12, 0x14}},
      {"Label1", 0, 4, 1, {0x01, 0x02, 0x03, 0x05, 0x12, 0x14}},
  };
  const auto& r = Record();
  const test::Walk w = test::WalkRecord(r);
  ASSERT_EQ(w.controls.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const test::Entry& e = w.controls[i];
    SCOPED_TRACE(rows[i].name + std::to_string(rows[i].index));
    EXPECT_EQ(r[e.marker_at], i == 0 ? 1 : 3);
    EXPECT_EQ(e.marker_at + e.length, e.end_at);  // from the length's first byte to FF
    EXPECT_EQ(e.flags, 0x8000);
    EXPECT_EQ(e.number, rows[i].number);
    EXPECT_EQ(e.index, rows[i].index);
    EXPECT_EQ(e.name, rows[i].name);
    EXPECT_EQ(e.kind, rows[i].kind);
    std::vector<int> codes;
    for (const auto& s : e.settings) codes.push_back(s.code);
    EXPECT_EQ(codes, rows[i].codes);
    // Each control's Index setting repeats its Index.
    EXPECT_EQ(Le(test::Find(e, e.kind == 2 ? 0x01 : 0x02).value, 0, 2), static_cast<std::uint32_t>(e.index));
  }
  // Text2(0) literally: bounds, text, tab index, centred.
  const test::Entry& field = w.controls[0];
  EXPECT_EQ(test::Find(field, 0x04).value,
            (std::vector<std::uint8_t>{0x28, 0x05, 0xC0, 0x03, 0x37, 0x05, 0x95, 0x01}));
  EXPECT_EQ(test::Find(field, 0x0B).value, (std::vector<std::uint8_t>{3, 0, '1', '1', '2', 0}));
  EXPECT_EQ(test::Find(field, 0x12).value, (std::vector<std::uint8_t>{6, 0}));
  EXPECT_EQ(test::Find(field, 0x24).value, std::vector<std::uint8_t>{2});
  EXPECT_EQ(test::Find(w.controls[3], 0x09).value, std::vector<std::uint8_t>{0});

  ASSERT_EQ(w.closing_at + 2, r.size());
  EXPECT_EQ(r[w.closing_at], 2);
  EXPECT_EQ(r[w.closing_at + 1], 4);
}

}  // namespace
}  // namespace velmora
