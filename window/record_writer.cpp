#include "window/record_writer.h"

#include <algorithm>
#include <limits>
#include <string>
#include <type_traits>

#include "numbers/runtime_error.h"
#include "window/bytes.h"
#include "window/cp1251.h"
#include "window/record_format.h"

namespace velmora {
namespace {

using namespace record;

[[noreturn]] void Refuse(const std::string& what) {
  throw RuntimeError(kErrorInvalidArgument, "layout record: " + what);
}

std::vector<std::uint8_t> Encode(const std::string& utf8, const std::string& what) {
  try {
    return EncodeCp1251(utf8);
  } catch (const RuntimeError& e) {
    Refuse(what + ", " + e.Description());
  }
}

class Writer {
 public:
  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) { AppendLittleEndian(out_, v, 2); }
  void U32(std::uint32_t v) { AppendLittleEndian(out_, v, 4); }
  void I16(std::int32_t v, const std::string& what) {
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
      Refuse(what + " " + std::to_string(v) + " does not fit in 16 bits");
    U16(static_cast<std::uint16_t>(v));
  }
  void Bytes(std::span<const std::uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

  void Text(const std::string& utf8, const std::string& what) {
    const std::vector<std::uint8_t> bytes = Encode(utf8, what);
    if (bytes.size() > 0xFFFF) Refuse(what + " is longer than 65535 bytes");
    U16(static_cast<std::uint16_t>(bytes.size()));
    Bytes(bytes);
    U8(0);
  }

  std::size_t Size() const { return out_.size(); }
  // Writes `value` over the `size` bytes at `at`, once it is known.
  void Patch(std::size_t at, std::size_t value, std::size_t size) { StoreLittleEndian(out_, at, value, size); }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

// Whether a member holds a value to store.
template <typename T>
bool Stored(const T&) { return true; }
template <typename T>
bool Stored(const std::optional<T>& v) { return v.has_value(); }
bool Stored(const std::vector<std::uint8_t>& icon) { return !icon.empty(); }

// One value of `codec` from the member `v`; the tables of record_format.h
// pair each codec with a member of the type it writes.
void WriteValue(Writer& w, Codec, const std::string& v, const std::string& what) { w.Text(v, what); }
void WriteValue(Writer& w, Codec, const std::uint8_t& v, const std::string&) { w.U8(v); }
void WriteValue(Writer& w, Codec, const std::int16_t& v, const std::string&) {
  w.U16(static_cast<std::uint16_t>(v));
}
void WriteValue(Writer& w, Codec, const Colour& v, const std::string& what) {
  if (!IsStoredColour(v)) Refuse(what + " is not of the form 00BBGGRR");
  w.U32(v);
}
void WriteValue(Writer& w, Codec codec, const TwipsRect& r, const std::string& what) {
  if (r.width < 0 || r.height < 0) Refuse(what + " has a negative size");
  for (std::int32_t v : {r.left, r.top, r.width, r.height}) {
    if (codec == Codec::Bounds16)
      w.I16(v, what);
    else
      w.U32(static_cast<std::uint32_t>(v));
  }
}
void WriteValue(Writer& w, Codec codec, const bool& v, const std::string&) {
  w.U8(codec == Codec::Boolean ? (v ? kTrue : kFalse) : (v ? 1 : 0));
}
// Alignment and ScrollBars: one of 0 .. LastChoice(codec).
template <typename Choice>
  requires std::is_enum_v<Choice>
void WriteValue(Writer& w, Codec codec, const Choice& v, const std::string& what) {
  const auto byte = static_cast<std::uint8_t>(v);
  if (byte > LastChoice(codec)) Refuse(what + " " + std::to_string(byte) + " is out of range");
  w.U8(byte);
}
void WriteValue(Writer& w, Codec, const std::vector<std::uint8_t>& icon, const std::string&) {
  if (icon.size() > 0xFFFFFFFFu - 8) Refuse("icon too large");
  w.Bytes(kIconPrefix);
  w.U32(static_cast<std::uint32_t>(icon.size() + 8));
  w.Bytes(kPictureTag);
  w.U32(static_cast<std::uint32_t>(icon.size()));
  w.Bytes(icon);
}
void WriteValue(Writer& w, Codec, const Font& f, const std::string&) {
  w.U8(kFontVersion), w.U16(f.charset), w.U8(f.attributes), w.U16(f.weight), w.U32(f.size);
  const std::vector<std::uint8_t> name = Encode(f.name, "font name");
  if (name.size() > 0xFF) Refuse("font name is longer than 255 bytes");
  w.U8(static_cast<std::uint8_t>(name.size())), w.Bytes(name);
}
template <typename T>
void WriteValue(Writer& w, Codec codec, const std::optional<T>& v, const std::string& what) {
  WriteValue(w, codec, *v, what);
}

// The settings of `owner` (the window or a control) that hold a value, by
// its table; `id` names the owner in messages.
template <typename Owner, typename Member>
void WriteSettings(Writer& w, const Owner& owner, std::span<const SettingFormat<Member>> table,
                   const std::string& id) {
  for (const SettingFormat<Member>& s : table) {
    std::visit(
        [&](auto member) {
          if (!Stored(owner.*member)) return;
          w.U8(s.code);
          WriteValue(w, s.codec, owner.*member, id + " " + s.name);
        },
        s.member);
  }
}

// Refuses a control that holds a setting which its kind's table lacks.
void RefuseSettingsTheKindLacks(const Control& c, const ControlFormat& format, const std::string& id) {
  for (const ControlFormat& other : kControlFormats) {
    for (const ControlSetting& s : other.settings) {
      const auto same = [&s](const ControlSetting& mine) { return mine.member == s.member; };
      if (std::any_of(format.settings.begin(), format.settings.end(), same)) continue;
      if (std::visit([&c](auto member) { return Stored(c.*member); }, s.member))
        Refuse(id + ": a " + format.name + " stores no " + s.name);
    }
  }
}

}  // namespace

std::vector<std::uint8_t> WriteLayoutRecord(const Layout& layout) {
  if (const Control* again = RepeatedControl(layout))
    Refuse(ControlId(again->name, again->index) + " comes twice");
  Writer w;
  w.Bytes(kSignature);
  w.U8(kVersion);
  for (const ClassId& id : layout.class_ids) w.Bytes(id);
  for (std::size_t i = 0; i < kZeroBytes; ++i) w.U8(0);
  const std::size_t record_count_at = w.Size();
  w.U32(0);
  const std::size_t window_count_at = w.Size();
  w.U32(0);
  w.U8(0);
  w.Text(layout.name, "window name");
  w.U8(kWindowKind);
  WriteSettings<Layout, WindowMember>(w, layout, kWindowSettings, "window");
  w.U8(kEndByte);
  w.Patch(window_count_at, w.Size() - window_count_at, 4);

  bool first = true;
  for (const Control& c : layout.controls) {
    const std::string id = ControlId(c.name, c.index);
    if (c.index < 0) Refuse(id + ": negative Index");
    const ControlFormat* format = FormatOf(static_cast<std::uint8_t>(c.kind));
    if (!format) Refuse(id + ": unknown kind");
    RefuseSettingsTheKindLacks(c, *format, id);
    w.U8(first ? kFirstMarker : kNextMarker);
    first = false;
    const std::size_t length_at = w.Size();
    w.U16(0);
    w.U16(kControlFlags);
    w.U8(c.array_number);
    w.I16(c.index, id + " Index");
    w.Text(c.name, id + " name");
    w.U8(static_cast<std::uint8_t>(c.kind));
    WriteSettings<Control, ControlMember>(w, c, format->settings, id);
    w.U8(kEndByte);
    const std::size_t length = w.Size() - length_at;
    if (length > 0xFFFF) Refuse(id + ": record longer than 65535 bytes");
    w.Patch(length_at, length, 2);
  }
  w.Bytes(kClosing);
  if (w.Size() - record_count_at > 0xFFFFFFFFu) Refuse("record too large");
  w.Patch(record_count_at, w.Size() - record_count_at, 4);
  return w.Take();
}

}  // namespace velmora
