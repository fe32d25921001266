#include "window/record_writer.h"

#include <limits>
#include <string>

#include "numbers/runtime_error.h"
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
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFF));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void I16(std::int32_t v, const std::string& what) {
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
      Refuse(what + " " + std::to_string(v) + " does not fit in 16 bits");
    U16(static_cast<std::uint16_t>(v));
  }
  void Bytes(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) out_.push_back(b);
  }

  void Text(const std::string& utf8, const std::string& what) {
    const std::vector<std::uint8_t> bytes = Encode(utf8, what);
    if (bytes.size() > 0xFFFF) Refuse(what + " is longer than 65535 bytes");
    U16(static_cast<std::uint16_t>(bytes.size()));
    Bytes(bytes);
    U8(0);
  }

  void Colour(velmora::Colour c, const std::string& what) {
    if (c > 0x00FFFFFF) Refuse(what + " colour is not of the form 00BBGGRR");
    U32(c);
  }

  void Bounds16(const TwipsRect& r, const std::string& what) {
    I16(r.left, what + " left"), I16(r.top, what + " top");
    if (r.width < 0 || r.height < 0) Refuse(what + " has a negative size");
    I16(r.width, what + " width"), I16(r.height, what + " height");
  }

  std::size_t Size() const { return out_.size(); }
  void Patch32(std::size_t at, std::size_t value) {
    for (std::size_t i = 0; i < 4; ++i) out_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  void Patch16(std::size_t at, std::size_t value) {
    out_[at] = static_cast<std::uint8_t>(value & 0xFF);
    out_[at + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

std::uint8_t Bool(bool v) { return v ? kTrue : kFalse; }

void WriteWindow(Writer& w, const Layout& l) {
  w.Text(l.name, "window name");
  w.U8(kWindowKind);
  w.U8(kWindowCaption), w.Text(l.caption, "window caption");
  w.U8(kWindowBackColour), w.Colour(l.back_colour, "window background");
  if (!l.icon.empty()) {
    if (l.icon.size() > 0xFFFFFFFFu - 8) Refuse("icon too large");
    w.U8(kWindowIcon), w.Bytes(kIconPrefix);
    w.U32(static_cast<std::uint32_t>(l.icon.size() + 8));
    w.Bytes(kPictureTag);
    w.U32(static_cast<std::uint32_t>(l.icon.size()));
    w.Bytes(l.icon);
  }
  w.U8(kWindowLinkTopic), w.Text(l.link_topic, "window link topic");
  w.U8(kWindow26), w.U8(l.setting_26);
  w.U8(kWindow27), w.U8(l.setting_27);
  if (l.client.width < 0 || l.client.height < 0) Refuse("window has a negative size");
  w.U8(kWindowClient);
  for (std::int32_t v : {l.client.left, l.client.top, l.client.width, l.client.height})
    w.U32(static_cast<std::uint32_t>(v));
  const Font& f = l.font;
  w.U8(kWindowFont), w.U8(kFontVersion), w.U16(f.charset), w.U8(f.attributes);
  w.U16(f.weight), w.U32(f.size);
  const std::vector<std::uint8_t> name = Encode(f.name, "font name");
  if (name.size() > 0xFF) Refuse("font name is longer than 255 bytes");
  w.U8(static_cast<std::uint8_t>(name.size())), w.Bytes(name);
  w.U8(kWindow46), w.U8(l.setting_46);
  w.U8(kEndByte);
}

// The settings of one control, in ascending code order.
void WriteSettings(Writer& w, const Control& c, const std::string& id) {
  const auto no = [&id](bool set, const char* what, const char* kind) {
    if (set) Refuse(id + ": a " + std::string(kind) + " stores no " + what);
  };
  switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::CommandButton: {
      const bool label = c.kind == ControlKind::Label;
      const char* kind = label ? "label" : "command button";
      no(c.visible.has_value(), "visibility", kind);
      no(c.multi_line.has_value(), "several-lines setting", kind);
      no(c.scroll_bars.has_value(), "scroll bars", kind);
      no(c.read_only.has_value(), "read-only setting", kind);
      no(!label && c.alignment.has_value(), "alignment", kind);
      no(label && c.own_colour.has_value(), "own-colour setting", kind);
      w.U8(kCaption), w.Text(c.text, id + " caption");
      w.U8(kIndex), w.I16(c.index, id + " Index");
      if (c.back_colour) w.U8(kBackColour), w.Colour(*c.back_colour, id);
      w.U8(label ? kLabelBounds : kButtonBounds), w.Bounds16(c.bounds, id);
      w.U8(label ? kLabelTabIndex : kButtonTabIndex), w.I16(c.tab_index, id + " tab index");
      if (label && c.alignment) w.U8(kLabelAlignment), w.U8(static_cast<std::uint8_t>(*c.alignment));
      if (!label && c.own_colour) w.U8(kButtonOwnColour), w.U8(*c.own_colour ? 1 : 0);
      break;
    }
    case ControlKind::TextBox:
      no(c.back_colour.has_value(), "background colour", "text box");
      no(c.own_colour.has_value(), "own-colour setting", "text box");
      w.U8(kTextIndex), w.I16(c.index, id + " Index");
      w.U8(kTextBounds), w.Bounds16(c.bounds, id);
      if (c.visible) w.U8(kTextVisible), w.U8(Bool(*c.visible));
      w.U8(kTextText), w.Text(c.text, id + " text");
      w.U8(kTextTabIndex), w.I16(c.tab_index, id + " tab index");
      if (c.multi_line) w.U8(kTextMultiLine), w.U8(Bool(*c.multi_line));
      if (c.scroll_bars) w.U8(kTextScrollBars), w.U8(static_cast<std::uint8_t>(*c.scroll_bars));
      if (c.alignment) w.U8(kTextAlignment), w.U8(static_cast<std::uint8_t>(*c.alignment));
      if (c.read_only) w.U8(kTextReadOnly), w.U8(Bool(*c.read_only));
      break;
    default:
      Refuse(id + ": unknown kind");
  }
}

}  // namespace

std::vector<std::uint8_t> WriteLayoutRecord(const Layout& layout) {
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
  WriteWindow(w, layout);
  w.Patch32(window_count_at, w.Size() - window_count_at);

  bool first = true;
  for (const Control& c : layout.controls) {
    const std::string id = ControlId(c.name, c.index);
    if (c.index < 0) Refuse(id + ": negative Index");
    w.U8(first ? kFirstMarker : kNextMarker);
    first = false;
    const std::size_t length_at = w.Size();
    w.U16(0);
    w.U16(kControlFlags);
    w.U8(c.array_number);
    w.I16(c.index, id + " Index");
    w.Text(c.name, id + " name");
    w.U8(static_cast<std::uint8_t>(c.kind));
    WriteSettings(w, c, id);
    w.U8(kEndByte);
    const std::size_t length = w.Size() - length_at;
    if (length > 0xFFFF) Refuse(id + ": record longer than 65535 bytes");
    w.Patch16(length_at, length);
  }
  w.Bytes(kClosing);
  if (w.Size() - record_count_at > 0xFFFFFFFFu) Refuse("record too large");
  w.Patch32(record_count_at, w.Size() - record_count_at);
  return w.Take();
}

}  // namespace velmora
