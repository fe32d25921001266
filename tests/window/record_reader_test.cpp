// The reader against damaged records, and the writer against layouts the
// record cannot hold.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/window/built_icon.h"
#include "tests/window/record_walk.h"
#include "window/layout_data.h"
#include "window/record_reader.h"
#include "window/record_writer.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes& Record() {
  static const Bytes record = WriteLayoutRecord(test::BuiltLayout());
  return record;
}

// The reader's error for `bytes`, or "" when it reads them.
std::string ErrorOf(const Bytes& bytes, std::size_t* offset = nullptr) {
  try {
    ReadLayoutRecord(bytes);
  } catch (const RecordError& e) {
    EXPECT_EQ(e.Number(), kErrorBadLayout);
    if (offset) *offset = e.Offset();
    return e.Description();
  }
  return "";
}

// Each truncation as it is, and with its record length count made to agree
// so that the reader goes on into the cut entry.
TEST(RecordReader, EveryTruncationIsAnErrorWithinTheRecord) {
  for (std::size_t n = 0; n < Record().size(); ++n) {
    Bytes cut(Record().begin(), Record().begin() + static_cast<std::ptrdiff_t>(n));
    for (bool agree : {false, true}) {
      if (agree && n >= 93)
        for (std::size_t i = 0; i < 4; ++i) cut[89 + i] = static_cast<std::uint8_t>((n - 89) >> (8 * i));
      std::size_t offset = 0;
      const std::string error = ErrorOf(cut, &offset);
      ASSERT_NE(error, "") << "truncated to " << n;
      EXPECT_LE(offset, n) << error;
    }
  }
}

TEST(RecordReader, SingleByteChangesGiveALayoutOrAnError) {
  Bytes r = Record();
  for (std::size_t i = 0; i < r.size(); ++i) {
    const std::uint8_t original = r[i];
    for (std::uint8_t value : {std::uint8_t(original ^ 0x01), std::uint8_t(original ^ 0x80),
                               std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
      r[i] = value;
      try {
        ReadLayoutRecord(r);
      } catch (const RecordError& e) {
        EXPECT_LT(e.Offset(), r.size());
      }
    }
    r[i] = original;
  }
}

struct Corruption {
  const char* what;
  std::function<void(Bytes&, const test::Walk&)> change;
  std::function<std::size_t(const test::Walk&)> offset;
  const char* message;
};

TEST(RecordReader, CorruptionsNameTheOffsetAndWhatWasExpected) {
  using W = const test::Walk&;
  const auto at = [](std::size_t n) { return [n](W) { return n; }; };
  const auto set = [](std::size_t n, std::uint8_t v) { return [n, v](Bytes& r, W) { r[n] = v; }; };
  const auto first = [](W w) { return w.controls[0].marker_at; };
  const auto code = [](std::size_t control, std::uint8_t c) {
    return [control, c](W w) { return test::Find(w.controls[control], c).offset; };
  };
  const Corruption cases[] = {
      {"signature", set(1, 0xCD), at(1), "expected signature byte CC, found CD"},
      {"version", set(4, 5), at(4), "expected version 04, found 05"},
      {"header zero byte", set(60, 1), at(60), "expected header zero byte 00, found 01"},
      {"record count", [](Bytes& r, W) { ++r[89]; }, at(89), "expected record length count"},
      {"window count", [](Bytes& r, W) { r[96] = 0x7F; }, at(93), "expected a count to the first control record"},
      {"window name terminator", set(98 + 2 + 7, 'x'), at(107), "expected window name terminator 00, found 78"},
      {"window kind", set(98 + 2 + 7 + 1, 14), at(108), "expected window kind 0D, found 0E"},
      {"window colour", [](Bytes& r, W w) { r[test::Find(w.window, 0x03).offset + 4] = 0x80; },
       [](W w) { return test::Find(w.window, 0x03).offset + 1; }, "of the form 00BBGGRR, found 80FFC0C0"},
      {"icon block length", [](Bytes& r, W w) { ++r[test::Find(w.window, 0x19).offset + 8]; },
       [](W w) { return test::Find(w.window, 0x19).offset + 8; }, "expected picture block length 2254"},
      {"icon directory", [](Bytes& r, W w) { r[test::Find(w.window, 0x19).offset + 20 + 2] = 2; },
       [](W w) { return test::Find(w.window, 0x19).offset + 20; }, "expected icon directory 00 00 01 00"},
      {"first marker", [](Bytes& r, W w) { r[w.controls[0].marker_at] = 3; }, first,
       "expected control marker 01 or closing byte 02, found 03"},
      {"later marker", [](Bytes& r, W w) { r[w.controls[1].marker_at] = 1; },
       [](W w) { return w.controls[1].marker_at; }, "expected control marker 03 or closing byte 02, found 01"},
      {"end byte", [](Bytes& r, W w) { r[w.controls[0].end_at] = 3; }, [](W w) { return w.controls[0].end_at; },
       "expected end byte FF, found 03"},
      {"length too long", [](Bytes& r, W w) { ++r[w.controls[0].marker_at + 1]; },
       [](W w) { return w.controls[0].end_at; }, "found end byte FF before the entry's end"},
      {"length too short", [](Bytes& r, W w) { --r[w.controls[0].marker_at + 1]; },
       [](W w) { return w.controls[0].end_at; }, "expected setting code or end byte FF, found the end of the control record at offset"},
      {"flags", [](Bytes& r, W w) { r[w.controls[0].marker_at + 3] = 1; }, [](W w) { return w.controls[0].marker_at + 3; },
       "expected control flags 8000, found 8001"},
      {"control number", [](Bytes& r, W w) { r[w.controls[1].marker_at + 5] = 3; },
       [](W w) { return w.controls[1].marker_at + 5; }, "expected control number 2 for Command1, found 3"},
      {"same control twice",
       [](Bytes& r, W w) {
         r[w.controls[2].marker_at + 6] = 1;
         r[test::Find(w.controls[2], 0x02).offset + 1] = 1;
       },
       [](W w) { return w.controls[2].marker_at; }, "expected a new control, found Command1(1) again"},
      {"control kind", [](Bytes& r, W w) { r[w.controls[0].settings[0].offset - 1] = 3; },
       [](W w) { return w.controls[0].settings[0].offset - 1; }, "expected control kind 01, 02 or 04, found 03"},
      {"unknown code for the kind", [](Bytes& r, W w) { r[test::Find(w.controls[0], 0x24).offset] = 0x25; },
       code(0, 0x24), "unknown setting code 25 for a text box"},
      {"code a label lacks", [](Bytes& r, W w) { r[test::Find(w.controls[5], 0x05).offset] = 0x04; },
       code(5, 0x05), "unknown setting code 04 for a label"},
      {"codes out of order", [](Bytes& r, W w) { r[test::Find(w.controls[0], 0x12).offset] = 0x01; },
       code(0, 0x12), "expected a setting code above 0B (ascending order), found 01"},
      {"Index setting", [](Bytes& r, W w) { r[test::Find(w.controls[1], 0x02).offset + 1] = 0; },
       [](W w) { return test::Find(w.controls[1], 0x02).offset + 1; }, "expected Index 1 (the record's), found 0"},
      {"alignment value", [](Bytes& r, W w) { r[test::Find(w.controls[0], 0x24).offset + 1] = 3; },
       [](W w) { return test::Find(w.controls[0], 0x24).offset + 1; }, "expected alignment 00 to 02, found 03"},
      {"boolean value", [](Bytes& r, W w) { r[test::Find(w.controls[3], 0x09).offset + 1] = 1; },
       [](W w) { return test::Find(w.controls[3], 0x09).offset + 1; }, "expected visibility 00 or FF, found 01"},
      {"text terminator", [](Bytes& r, W w) { r[test::Find(w.controls[0], 0x0B).offset + 6] = '3'; },
       [](W w) { return test::Find(w.controls[0], 0x0B).offset + 6; }, "expected text terminator 00, found 33"},
      {"closing bytes", [](Bytes& r, W) { r.back() = 5; }, [](W w) { return w.closing_at + 1; },
       "expected closing byte 04, found 05"},
      {"bytes after the end", [](Bytes& r, W) { r.push_back(0); ++r[89]; }, [](W w) { return w.closing_at + 2; },
       "expected the record's end after the closing bytes 02 04, found 1 more bytes"},
  };
  const test::Walk walk = test::WalkRecord(Record());
  for (const Corruption& c : cases) {
    Bytes r = Record();
    c.change(r, walk);
    std::size_t offset = 0;
    const std::string error = ErrorOf(r, &offset);
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(offset, c.offset(walk)) << c.what << ": " << error;
    EXPECT_EQ(error.rfind("offset " + std::to_string(offset) + ": ", 0), 0u) << error;
  }
}

TEST(RecordReader, RecordWithNoControlsAndOtherValuesReadsBack) {
  Layout l = test::BuiltLayout();
  l.controls.clear();
  EXPECT_TRUE(ReadLayoutRecord(WriteLayoutRecord(l)) == l);

  // Values the window's own table does not use.
  l = test::BuiltLayout();
  Control& field = l.controls[0];
  field.visible = true, field.multi_line = false, field.read_only = false;
  field.scroll_bars = ScrollBars::Both, field.alignment = Alignment::Right;
  field.bounds = {-15, -30, 0, 32767};
  l.controls[1].own_colour = false;
  l.controls[5].alignment = Alignment::Left;
  l.controls[5].back_colour.reset();
  l.icon.clear();
  EXPECT_TRUE(ReadLayoutRecord(WriteLayoutRecord(l)) == l);
}

TEST(RecordWriter, RefusesLayoutsTheRecordCannotHold) {
  const std::pair<const char*, std::function<void(Layout&)>> cases[] = {
      {"text outside code page 1251", [](Layout& l) { l.controls[0].text = "☺"; }},
      {"bounds beyond 16 bits", [](Layout& l) { l.controls[0].bounds.left = 40000; }},
      {"negative size", [](Layout& l) { l.controls[0].bounds.width = -1; }},
      {"negative Index", [](Layout& l) { l.controls[0].index = -1; }},
      {"visibility on a label", [](Layout& l) { l.controls[5].visible = false; }},
      {"colour on a text box", [](Layout& l) { l.controls[0].back_colour = 0; }},
      {"alignment on a button", [](Layout& l) { l.controls[1].alignment = Alignment::Left; }},
      {"system colour", [](Layout& l) { l.back_colour = 0x80000005; }},
      {"alignment beyond centre", [](Layout& l) { l.controls[0].alignment = Alignment{3}; }},
      {"scroll bars beyond both", [](Layout& l) { l.controls[4].scroll_bars = ScrollBars{4}; }},
      {"a control twice", [](Layout& l) { l.controls.push_back(l.controls[1]); }},
  };
  for (const auto& [what, change] : cases) {
    Layout l = test::BuiltLayout();
    change(l);
    try {
      WriteLayoutRecord(l);
      ADD_FAILURE() << what << ": written";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrorInvalidArgument) << what;
    }
  }
}

}  // namespace
}  // namespace velmora
