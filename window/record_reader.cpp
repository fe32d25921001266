#include "window/record_reader.h"

#include <map>
#include <set>
#include <utility>

#include "window/cp1251.h"
#include "window/record_format.h"

namespace velmora {
namespace {

using namespace record;

// Upper-case hex digits, at least `digits` of them. Written out rather than
// with snprintf, which would bring all of printf into the web page's module.
std::string Hex(std::uint64_t value, int digits) {
  std::string text;
  do {
    text.insert(text.begin(), "0123456789ABCDEF"[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (digits > 0 && text.size() < static_cast<std::size_t>(digits))
    text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}
std::string Hex2(std::uint8_t b) { return Hex(b, 2); }

// Reads forward through the record within a limit: the end of the region
// being read (the record, the window entry, or one control record). No read
// passes the limit.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> data)
      : data_(data), limit_(data.size()), region_("the record") {}

  std::size_t Pos() const { return pos_; }
  std::size_t Limit() const { return limit_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Left() const { return limit_ - pos_; }

  // Limits reads to [Pos(), limit); limit lies within the record.
  void SetRegion(std::size_t limit, std::string region) {
    limit_ = limit;
    region_ = std::move(region);
  }

  [[noreturn]] void Fail(std::size_t at, const std::string& what) const {
    throw RecordError(at, what);
  }

  std::span<const std::uint8_t> Take(std::size_t n, const std::string& what) {
    if (n > Left()) {
      const std::string size = n == 1 ? "" : " (" + std::to_string(n) + " bytes)";
      const std::string found = Left() == 0 ? "the end of "
                                            : "only " + std::to_string(Left()) + " bytes before the end of ";
      Fail(pos_, "expected " + what + size + ", found " + found + region_);
    }
    const auto bytes = data_.subspan(pos_, n);
    pos_ += n;
    return bytes;
  }

  std::uint8_t U8(const std::string& what) { return Take(1, what)[0]; }
  std::uint16_t U16(const std::string& what) {
    const auto b = Take(2, what);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  std::int16_t I16(const std::string& what) { return static_cast<std::int16_t>(U16(what)); }
  std::uint32_t U32(const std::string& what) {
    const auto b = Take(4, what);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }

  // A byte that must have one value.
  void Expect(std::uint8_t want, const std::string& what) {
    const std::size_t at = pos_;
    if (Left() == 0) Fail(at, "expected " + what + " " + Hex2(want) + ", found the end of " + region_);
    const std::uint8_t got = U8(what);
    if (got != want) Fail(at, "expected " + what + " " + Hex2(want) + ", found " + Hex2(got));
  }
  template <std::size_t N>
  void Expect(const std::array<std::uint8_t, N>& want, const std::string& what) {
    for (std::uint8_t b : want) Expect(b, what);
  }

  // A 16-bit length, that many code page 1251 bytes, and a zero.
  std::string Text(const std::string& what) {
    const std::uint16_t length = U16(what + " length");
    const auto bytes = Take(length, what);
    Expect(0, what + " terminator");
    return DecodeCp1251(bytes);
  }

  Colour ReadColour(const std::string& what) {
    const std::size_t at = pos_;
    const std::uint32_t c = U32(what);
    if (c > 0x00FFFFFF) Fail(at, "expected " + what + " of the form 00BBGGRR, found " + Hex(c, 8));
    return c;
  }

  // A byte with one of the values 0 .. last.
  std::uint8_t Choice(std::uint8_t last, const std::string& what) {
    const std::size_t at = pos_;
    const std::uint8_t v = U8(what);
    if (v > last) Fail(at, "expected " + what + " 00 to " + Hex2(last) + ", found " + Hex2(v));
    return v;
  }

  // 00 (no) or FF (yes).
  bool Bool(const std::string& what) {
    const std::size_t at = pos_;
    const std::uint8_t v = U8(what);
    if (v != kTrue && v != kFalse) Fail(at, "expected " + what + " 00 or FF, found " + Hex2(v));
    return v == kTrue;
  }

  std::int32_t Size16(const std::string& what) {
    const std::size_t at = pos_;
    const std::int16_t v = I16(what);
    if (v < 0) Fail(at, "expected " + what + " of 0 or more, found " + std::to_string(v));
    return v;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  std::size_t limit_;
  std::string region_;
};

// Reads settings up to the entry's end byte FF, which must be the last byte
// of the region. `read_one` decodes the value of one code and returns false
// for a code the entry's kind does not know.
template <typename ReadOne>
void ReadSettings(Cursor& c, const char* kind, ReadOne read_one) {
  int previous = -1;
  for (;;) {
    const std::size_t at = c.Pos();
    if (at + 1 == c.Limit()) {
      c.Expect(kEndByte, "end byte");
      return;
    }
    const std::uint8_t code = c.U8("setting code or end byte FF");
    if (code == kEndByte)
      c.Fail(at, "expected a setting code, found end byte FF before the entry's end at offset " +
                     std::to_string(c.Limit() - 1));
    if (code <= previous)
      c.Fail(at, "expected a setting code above " + Hex2(static_cast<std::uint8_t>(previous)) +
                     " (ascending order), found " + Hex2(code));
    previous = code;
    if (!read_one(code)) c.Fail(at, "unknown setting code " + Hex2(code) + " for a " + kind);
  }
}

TwipsRect Bounds16(Cursor& c) {
  TwipsRect r;
  r.left = c.I16("left");
  r.top = c.I16("top");
  r.width = c.Size16("width");
  r.height = c.Size16("height");
  return r;
}

// The icon setting's value: prefix, picture block, icon file. Checks the
// icon file's directory against its own bytes.
std::vector<std::uint8_t> ReadIcon(Cursor& c) {
  c.Expect(kIconPrefix, "icon setting byte");
  const std::size_t block_at = c.Pos();
  const std::uint32_t block_length = c.U32("picture block length");
  c.Expect(kPictureTag, "picture block tag byte");
  const std::uint32_t file_length = c.U32("icon file length");
  if (std::uint64_t{block_length} != std::uint64_t{file_length} + 8)
    c.Fail(block_at, "expected picture block length " + std::to_string(std::uint64_t{file_length} + 8) +
                         " (the icon file's length and 8), found " + std::to_string(block_length));
  const std::size_t base = c.Pos();
  const auto file = c.Take(file_length, "icon file");

  const auto u16 = [&file](std::size_t at) {
    return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8);
  };
  const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (file.size() < 22)
    c.Fail(base, "expected an icon file of 22 bytes or more, found " + std::to_string(file.size()));
  if (u16(0) != 0 || u16(2) != 1)
    c.Fail(base, "expected icon directory 00 00 01 00, found " + Hex2(file[0]) + " " + Hex2(file[1]) +
                     " " + Hex2(file[2]) + " " + Hex2(file[3]));
  const std::size_t count = u16(4);
  const std::size_t images_at = 6 + 16 * count;
  if (count == 0 || images_at > file.size())
    c.Fail(base + 4, "expected an icon image count from 1 to " + std::to_string((file.size() - 6) / 16) +
                         ", found " + std::to_string(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::uint64_t size = u32(entry + 8), offset = u32(entry + 12);
    if (size == 0 || offset < images_at || offset + size > file.size())
      c.Fail(base + entry + 8, "expected icon image " + std::to_string(i) + " within the icon file's " +
                                   std::to_string(file.size()) + " bytes, found " + std::to_string(size) +
                                   " bytes at offset " + std::to_string(offset));
  }
  return {file.begin(), file.end()};
}

Font ReadFont(Cursor& c) {
  Font f;
  c.Expect(kFontVersion, "font version");
  f.charset = c.U16("font character set");
  f.attributes = c.U8("font attributes");
  f.weight = c.U16("font weight");
  f.size = c.U32("font size");
  const std::uint8_t length = c.U8("font name length");
  f.name = DecodeCp1251(c.Take(length, "font name"));
  return f;
}

void ReadWindow(Cursor& c, Layout& l) {
  l.name = c.Text("window name");
  c.Expect(kWindowKind, "window kind");
  ReadSettings(c, "window", [&](std::uint8_t code) {
    switch (code) {
      case kWindowCaption: l.caption = c.Text("caption"); break;
      case kWindowBackColour: l.back_colour = c.ReadColour("background colour"); break;
      case kWindowIcon: l.icon = ReadIcon(c); break;
      case kWindowLinkTopic: l.link_topic = c.Text("link topic"); break;
      case kWindow26: l.setting_26 = c.U8("setting 26 value"); break;
      case kWindow27: l.setting_27 = c.U8("setting 27 value"); break;
      case kWindowClient: {
        l.client.left = static_cast<std::int32_t>(c.U32("client left"));
        l.client.top = static_cast<std::int32_t>(c.U32("client top"));
        for (std::int32_t* v : {&l.client.width, &l.client.height}) {
          const std::size_t at = c.Pos();
          *v = static_cast<std::int32_t>(c.U32("client size"));
          if (*v < 0) c.Fail(at, "expected a client size of 0 or more, found " + std::to_string(*v));
        }
        break;
      }
      case kWindowFont: l.font = ReadFont(c); break;
      case kWindow46: l.setting_46 = c.U8("setting 46 value"); break;
      default: return false;
    }
    return true;
  });
}

void ReadControlSettings(Cursor& c, Control& k) {
  // The Index setting repeats the record's Index.
  const auto index = [&] {
    const std::size_t at = c.Pos();
    const std::int16_t v = c.I16("Index");
    if (v != k.index)
      c.Fail(at, "expected Index " + std::to_string(k.index) + " (the record's), found " + std::to_string(v));
  };
  switch (k.kind) {
    case ControlKind::Label:
    case ControlKind::CommandButton: {
      const bool label = k.kind == ControlKind::Label;
      ReadSettings(c, label ? "label" : "command button", [&](std::uint8_t code) {
        if (code == kCaption) k.text = c.Text("caption");
        else if (code == kIndex) index();
        else if (code == kBackColour) k.back_colour = c.ReadColour("background colour");
        else if (code == (label ? kLabelBounds : kButtonBounds)) k.bounds = Bounds16(c);
        else if (code == (label ? kLabelTabIndex : kButtonTabIndex)) k.tab_index = c.I16("tab index");
        else if (label && code == kLabelAlignment) k.alignment = Alignment{c.Choice(2, "alignment")};
        else if (!label && code == kButtonOwnColour) k.own_colour = c.Choice(1, "own-colour setting") == 1;
        else return false;
        return true;
      });
      break;
    }
    case ControlKind::TextBox:
      ReadSettings(c, "text box", [&](std::uint8_t code) {
        switch (code) {
          case kTextIndex: index(); break;
          case kTextBounds: k.bounds = Bounds16(c); break;
          case kTextVisible: k.visible = c.Bool("visibility"); break;
          case kTextText: k.text = c.Text("text"); break;
          case kTextTabIndex: k.tab_index = c.I16("tab index"); break;
          case kTextMultiLine: k.multi_line = c.Bool("several-lines setting"); break;
          case kTextScrollBars: k.scroll_bars = ScrollBars{c.Choice(3, "scroll bars")}; break;
          case kTextAlignment: k.alignment = Alignment{c.Choice(2, "alignment")}; break;
          case kTextReadOnly: k.read_only = c.Bool("read-only setting"); break;
          default: return false;
        }
        return true;
      });
      break;
  }
}

}  // namespace

Layout ReadLayoutRecord(std::span<const std::uint8_t> record) {
  Cursor c(record);
  Layout l;
  c.Expect(kSignature, "signature byte");
  c.Expect(kVersion, "version");
  for (ClassId& id : l.class_ids) {
    const auto bytes = c.Take(id.size(), "class identifier");
    std::copy(bytes.begin(), bytes.end(), id.begin());
  }
  for (std::size_t i = 0; i < kZeroBytes; ++i) c.Expect(0, "header zero byte");

  const std::size_t record_count_at = c.Pos();
  const std::uint32_t record_count = c.U32("record length count");
  if (record_count != c.Size() - record_count_at)
    c.Fail(record_count_at, "expected record length count " + std::to_string(c.Size() - record_count_at) +
                                " (the bytes present), found " + std::to_string(record_count));
  const std::size_t window_count_at = c.Pos();
  const std::uint32_t window_count = c.U32("window entry count");
  // Count, zero byte, and at least an empty name, the kind and the end byte.
  constexpr std::uint32_t kLeast = 4 + 1 + 3 + 1 + 1;
  if (window_count < kLeast || window_count > c.Size() - window_count_at)
    c.Fail(window_count_at, "expected a count to the first control record from " + std::to_string(kLeast) +
                                " to " + std::to_string(c.Size() - window_count_at) + ", found " +
                                std::to_string(window_count));
  c.Expect(0, "header zero byte");
  c.SetRegion(window_count_at + window_count, "the window entry");
  ReadWindow(c, l);

  std::map<std::string, std::uint8_t> arrays;  // name -> control number
  std::set<std::pair<std::string, std::int16_t>> seen;
  std::uint8_t marker = kFirstMarker;
  for (;;) {
    c.SetRegion(c.Size(), "the record");
    const std::size_t at = c.Pos();
    const std::uint8_t m = c.U8("control marker or closing bytes 02 04");
    if (m == kClosing[0]) {
      c.Expect(kClosing[1], "closing byte");
      if (c.Pos() != c.Size())
        c.Fail(c.Pos(), "expected the record's end after the closing bytes 02 04, found " +
                            std::to_string(c.Size() - c.Pos()) + " more bytes");
      return l;
    }
    if (m != marker)
      c.Fail(at, "expected control marker " + Hex2(marker) + " or closing byte 02, found " + Hex2(m));
    marker = kNextMarker;

    const std::size_t length_at = c.Pos();
    const std::uint16_t length = c.U16("control record length");
    // Length, flags, number, Index, an empty name, the kind and the end byte.
    constexpr std::uint16_t kLeastControl = 2 + 2 + 1 + 2 + 3 + 1 + 1;
    if (length < kLeastControl || length > c.Size() - length_at)
      c.Fail(length_at, "expected a control record length from " + std::to_string(kLeastControl) + " to " +
                            std::to_string(c.Size() - length_at) + ", found " + std::to_string(length));
    c.SetRegion(length_at + length, "the control record at offset " + std::to_string(at));

    const std::size_t flags_at = c.Pos();
    const std::uint16_t flags = c.U16("control flags");
    if (flags != kControlFlags)
      c.Fail(flags_at, "expected control flags 8000, found " + Hex(flags, 4));
    const std::size_t number_at = c.Pos();
    Control k;
    k.array_number = c.U8("control number");
    const std::size_t index_at = c.Pos();
    k.index = c.I16("Index");
    if (k.index < 0) c.Fail(index_at, "expected an Index of 0 or more, found " + std::to_string(k.index));
    k.name = c.Text("control name");

    const auto known = arrays.find(k.name);
    const std::size_t want = known != arrays.end() ? known->second : arrays.size() + 1;
    if (k.array_number != want)
      c.Fail(number_at, "expected control number " + std::to_string(want) + " for " + k.name + ", found " +
                            std::to_string(k.array_number));
    arrays.emplace(k.name, k.array_number);
    if (!seen.emplace(k.name, k.index).second)
      c.Fail(at, "expected a new control, found " + ControlId(k.name, k.index) + " again");

    const std::size_t kind_at = c.Pos();
    const std::uint8_t kind = c.U8("control kind");
    if (kind != 1 && kind != 2 && kind != 4)
      c.Fail(kind_at, "expected control kind 01, 02 or 04, found " + Hex2(kind));
    k.kind = ControlKind{kind};
    ReadControlSettings(c, k);
    l.controls.push_back(std::move(k));
  }
}

}  // namespace velmora
