#include "window/record_reader.h"

#include <map>
#include <utility>

#include "window/bytes.h"
#include "window/cp1251.h"
#include "window/icon_image.h"
#include "window/record_format.h"

namespace velmora {
namespace {

using namespace record;

std::string Hex2(std::uint8_t b) { return UpperHex(b, 2); }

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
    return static_cast<std::uint16_t>(LoadLittleEndian(Take(2, what), 0, 2));
  }
  std::int16_t I16(const std::string& what) { return static_cast<std::int16_t>(U16(what)); }
  std::uint32_t U32(const std::string& what) { return LoadLittleEndian(Take(4, what), 0, 4); }

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
    if (!IsStoredColour(c)) Fail(at, "expected " + what + " of the form 00BBGGRR, found " + UpperHex(c, 8));
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

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  std::size_t limit_;
  std::string region_;
};

// Left, top, width and height, each `bytes` long; the sizes are 0 or more.
TwipsRect ReadRect(Cursor& c, std::size_t bytes, const std::string& name) {
  const auto number = [&](const char* part, bool size) {
    const std::size_t at = c.Pos();
    const std::uint32_t raw = bytes == 2 ? c.U16(name + part) : c.U32(name + part);
    const std::int32_t v = bytes == 2 ? std::int32_t{static_cast<std::int16_t>(raw)} : static_cast<std::int32_t>(raw);
    if (size && v < 0) c.Fail(at, "expected " + name + part + " of 0 or more, found " + std::to_string(v));
    return v;
  };
  return {number(" left", false), number(" top", false), number(" width", true), number(" height", true)};
}

// The icon setting's value: prefix, picture block, icon file.
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
  if (const auto fault = CheckIconDirectory(file)) c.Fail(base + fault->offset, fault->what);
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

// One value of `codec` into the member `v`; the tables of record_format.h
// pair each codec with a member of the type it reads.
void ReadValue(Cursor& c, Codec, std::string& v, const std::string& name) { v = c.Text(name); }
void ReadValue(Cursor& c, Codec, Colour& v, const std::string& name) { v = c.ReadColour(name); }
void ReadValue(Cursor& c, Codec, std::uint8_t& v, const std::string& name) { v = c.U8(name + " value"); }
void ReadValue(Cursor& c, Codec, std::vector<std::uint8_t>& v, const std::string&) { v = ReadIcon(c); }
void ReadValue(Cursor& c, Codec, Font& v, const std::string&) { v = ReadFont(c); }
void ReadValue(Cursor& c, Codec codec, TwipsRect& v, const std::string& name) {
  v = ReadRect(c, codec == Codec::Bounds16 ? 2 : 4, name);
}
void ReadValue(Cursor& c, Codec codec, std::int16_t& v, const std::string& name) {
  const std::size_t at = c.Pos();
  const std::int16_t stored = c.I16(name);
  // The Index setting repeats the record's Index, which `v` holds already.
  if (codec == Codec::Index && stored != v)
    c.Fail(at, "expected Index " + std::to_string(v) + " (the record's), found " + std::to_string(stored));
  v = stored;
}
void ReadValue(Cursor& c, Codec codec, bool& v, const std::string& name) {
  v = codec == Codec::Boolean ? c.Bool(name) : c.Choice(LastChoice(codec), name) == 1;
}
void ReadValue(Cursor& c, Codec codec, Alignment& v, const std::string& name) {
  v = Alignment{c.Choice(LastChoice(codec), name)};
}
void ReadValue(Cursor& c, Codec codec, ScrollBars& v, const std::string& name) {
  v = ScrollBars{c.Choice(LastChoice(codec), name)};
}
template <typename T>
void ReadValue(Cursor& c, Codec codec, std::optional<T>& v, const std::string& name) {
  T value{};
  ReadValue(c, codec, value, name);
  v = value;
}

// Reads the settings of `owner` (the window or a control) by its table, up
// to the entry's end byte FF, which must be the last byte of the region.
template <typename Owner, typename Member>
void ReadSettings(Cursor& c, Owner& owner, std::span<const SettingFormat<Member>> table,
                  const char* kind) {
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
    const SettingFormat<Member>* setting = nullptr;
    for (const SettingFormat<Member>& s : table)
      if (s.code == code) setting = &s;
    if (!setting) c.Fail(at, "unknown setting code " + Hex2(code) + " for a " + kind);
    std::visit([&](auto member) { ReadValue(c, setting->codec, owner.*member, setting->name); },
               setting->member);
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
  l.name = c.Text("window name");
  c.Expect(kWindowKind, "window kind");
  ReadSettings<Layout, WindowMember>(c, l, kWindowSettings, "window");

  std::map<std::string, std::uint8_t> arrays;  // name -> control number
  std::vector<std::size_t> control_at;         // offset of each control record
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
      if (const Control* again = RepeatedControl(l))
        c.Fail(control_at[static_cast<std::size_t>(again - l.controls.data())],
               "expected a new control, found " + ControlId(again->name, again->index) + " again");
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
      c.Fail(flags_at, "expected control flags 8000, found " + UpperHex(flags, 4));
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
    l.controls.push_back(std::move(k));
    Control& control = l.controls.back();
    control_at.push_back(at);

    const std::size_t kind_at = c.Pos();
    const std::uint8_t kind = c.U8("control kind");
    const ControlFormat* format = FormatOf(kind);
    if (!format) c.Fail(kind_at, "expected control kind 01, 02 or 04, found " + Hex2(kind));
    control.kind = format->kind;
    ReadSettings<Control, ControlMember>(c, control, format->settings, format->name);
  }
}

}  // namespace velmora
