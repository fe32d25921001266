#pragma once
// The stored layout record's format, in one place: its framing bytes and,
// for the window and for each kind of control, the table of its settings:
// the code, the Layout or Control member that the setting holds, and the
// codec, which says how the value is stored. The reader (record_reader.h)
// and the writer (record_writer.h) both go by these tables; neither knows a
// code of its own.
//
// The record, all numbers little-endian:
//   header   FF CC 31 00, version 04, three 16-byte class identifiers,
//            36 zero bytes, a 32-bit count of the bytes from its own first
//            byte to the record's end, a 32-bit count of the bytes from its
//            own first byte to the first control record, a zero byte;
//   window   name (text field), kind 0D, settings, end byte FF;
//   controls marker (01 for the first, 03 after), 16-bit length (from its
//            own first byte to the end byte inclusive), flags 8000, control
//            number (arrays in first-appearance order), 16-bit Index, name,
//            kind (01 label, 02 text box, 04 command button), settings, FF;
//   end      02 04.
// A setting is its code byte and its value. An entry's settings come in
// ascending code order, as in the tables. A setting is stored when its
// member holds a value: an optional member that holds none, or an empty
// icon, leaves its setting out, and the reader then leaves it so.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "window/layout.h"

namespace velmora::record {

inline constexpr std::array<std::uint8_t, 4> kSignature = {0xFF, 0xCC, 0x31, 0x00};
inline constexpr std::uint8_t kVersion = 4;
inline constexpr std::size_t kZeroBytes = 36;

inline constexpr std::uint8_t kWindowKind = 13;
inline constexpr std::uint8_t kEndByte = 0xFF;
inline constexpr std::uint8_t kFirstMarker = 1;
inline constexpr std::uint8_t kNextMarker = 3;
inline constexpr std::uint16_t kControlFlags = 0x8000;
inline constexpr std::array<std::uint8_t, 2> kClosing = {0x02, 0x04};

// Booleans as stored.
inline constexpr std::uint8_t kTrue = 0xFF;
inline constexpr std::uint8_t kFalse = 0x00;

// The icon setting's value: a fixed prefix, the picture block's length, then
// the block: its tag, the icon file's length and the file.
inline constexpr std::array<std::uint8_t, 7> kIconPrefix = {0x01, 0x00, 0x42, 0x00,
                                                            0x22, 0x01, 0x23};
inline constexpr std::array<std::uint8_t, 4> kPictureTag = {0x6C, 0x74, 0x00, 0x00};

inline constexpr std::uint8_t kFontVersion = 1;

// How a setting's value is stored.
enum class Codec : std::uint8_t {
  Text,        // text field: 16-bit length, the code page 1251 bytes, and a
               // zero byte that the length leaves out
  Colour,      // 32-bit, 00BBGGRR
  Index,       // 16-bit; the same as the control record's Index
  Int16,       // 16-bit, signed
  Bounds16,    // left, top, width, height: 16-bit, signed; sizes 0 or more
  Rect32,      // left, top, width, height: 32-bit, signed; sizes 0 or more
  Boolean,     // one byte: 00 no, FF yes
  OneOrZero,   // one byte: 00 no, 01 yes
  Alignment,   // one byte: 0 left, 1 right, 2 centre
  ScrollBars,  // one byte: 0 none, 1 horizontal, 2 vertical, 3 both
  Byte,        // one byte, any value
  Font,        // version 01, 16-bit character set, attribute byte, 16-bit
               // weight, 32-bit size in 1/10000 point, name length byte,
               // name (code page 1251, no zero byte)
  Icon,        // the bytes kIconPrefix, the picture block's 32-bit length,
               // then the block: kPictureTag, the icon file's 32-bit length
               // and the icon file (its directory as CheckIconDirectory
               // in icon_image.h wants it)
};

// The highest value of a one-byte codec that stores one of 0 .. n; 0 for
// the others.
constexpr std::uint8_t LastChoice(Codec codec) {
  switch (codec) {
    case Codec::OneOrZero: return 1;
    case Codec::Alignment: return 2;
    case Codec::ScrollBars: return 3;
    default: return 0;
  }
}

// A colour as the record can hold it: 0x00BBGGRR.
constexpr bool IsStoredColour(std::uint32_t colour) { return colour <= 0x00FFFFFF; }

// The members that settings hold.
using WindowMember = std::variant<std::string Layout::*, Colour Layout::*,
                                  std::vector<std::uint8_t> Layout::*, std::uint8_t Layout::*,
                                  TwipsRect Layout::*, Font Layout::*>;
using ControlMember =
    std::variant<std::string Control::*, std::int16_t Control::*, TwipsRect Control::*,
                 std::optional<Colour> Control::*, std::optional<bool> Control::*,
                 std::optional<Alignment> Control::*, std::optional<ScrollBars> Control::*>;

template <typename Member>
struct SettingFormat {
  std::uint8_t code;
  Member member;
  Codec codec;
  const char* name;  // how the reader's and the writer's messages call it
};
using WindowSetting = SettingFormat<WindowMember>;
using ControlSetting = SettingFormat<ControlMember>;

inline constexpr WindowSetting kWindowSettings[] = {
    {0x01, &Layout::caption, Codec::Text, "caption"},
    {0x03, &Layout::back_colour, Codec::Colour, "background colour"},
    {0x19, &Layout::icon, Codec::Icon, "icon"},
    {0x24, &Layout::link_topic, Codec::Text, "link topic"},
    {0x26, &Layout::kept_for_rewrite_26, Codec::Byte, "setting 26"},
    {0x27, &Layout::kept_for_rewrite_27, Codec::Byte, "setting 27"},
    {0x35, &Layout::client, Codec::Rect32, "client"},
    {0x40, &Layout::font, Codec::Font, "font"},
    {0x46, &Layout::kept_for_rewrite_46, Codec::Byte, "setting 46"},
};

inline constexpr ControlSetting kLabelSettings[] = {
    {0x01, &Control::text, Codec::Text, "caption"},
    {0x02, &Control::index, Codec::Index, "Index"},
    {0x03, &Control::back_colour, Codec::Colour, "background colour"},
    {0x05, &Control::bounds, Codec::Bounds16, "bounds"},
    {0x12, &Control::tab_index, Codec::Int16, "tab index"},
    {0x14, &Control::alignment, Codec::Alignment, "alignment"},
};

inline constexpr ControlSetting kCommandButtonSettings[] = {
    {0x01, &Control::text, Codec::Text, "caption"},
    {0x02, &Control::index, Codec::Index, "Index"},
    {0x03, &Control::back_colour, Codec::Colour, "background colour"},
    {0x04, &Control::bounds, Codec::Bounds16, "bounds"},
    {0x11, &Control::tab_index, Codec::Int16, "tab index"},
    {0x29, &Control::own_colour, Codec::OneOrZero, "own-colour setting"},
};

inline constexpr ControlSetting kTextBoxSettings[] = {
    {0x01, &Control::index, Codec::Index, "Index"},
    {0x04, &Control::bounds, Codec::Bounds16, "bounds"},
    {0x09, &Control::visible, Codec::Boolean, "visibility"},
    {0x0B, &Control::text, Codec::Text, "text"},
    {0x12, &Control::tab_index, Codec::Int16, "tab index"},
    {0x17, &Control::multi_line, Codec::Boolean, "several-lines setting"},
    {0x18, &Control::scroll_bars, Codec::ScrollBars, "scroll bars"},
    {0x24, &Control::alignment, Codec::Alignment, "alignment"},
    {0x2D, &Control::read_only, Codec::Boolean, "read-only setting"},
};

struct ControlFormat {
  ControlKind kind;
  const char* name;  // in messages: "text box"
  std::span<const ControlSetting> settings;
};

inline constexpr ControlFormat kControlFormats[] = {
    {ControlKind::Label, "label", kLabelSettings},
    {ControlKind::TextBox, "text box", kTextBoxSettings},
    {ControlKind::CommandButton, "command button", kCommandButtonSettings},
};

// The format of a control of kind byte `kind`, or nullptr for a byte that
// names no kind.
constexpr const ControlFormat* FormatOf(std::uint8_t kind) {
  for (const ControlFormat& format : kControlFormats)
    if (static_cast<std::uint8_t>(format.kind) == kind) return &format;
  return nullptr;
}

// ---- Checks of the tables themselves, at compile time ----------------------

// Whether `codec` can hold a member of type T.
template <typename T>
constexpr bool CodecFits(Codec codec) {
  if constexpr (std::is_same_v<T, std::string>) return codec == Codec::Text;
  else if constexpr (std::is_same_v<T, Colour>) return codec == Codec::Colour;
  else if constexpr (std::is_same_v<T, std::vector<std::uint8_t>>) return codec == Codec::Icon;
  else if constexpr (std::is_same_v<T, std::uint8_t>) return codec == Codec::Byte;
  else if constexpr (std::is_same_v<T, Font>) return codec == Codec::Font;
  else if constexpr (std::is_same_v<T, TwipsRect>) return codec == Codec::Bounds16 || codec == Codec::Rect32;
  else if constexpr (std::is_same_v<T, std::int16_t>) return codec == Codec::Index || codec == Codec::Int16;
  else if constexpr (std::is_same_v<T, bool>) return codec == Codec::Boolean || codec == Codec::OneOrZero;
  else if constexpr (std::is_same_v<T, Alignment>) return codec == Codec::Alignment;
  else if constexpr (std::is_same_v<T, ScrollBars>) return codec == Codec::ScrollBars;
  else return false;
}

template <typename Owner, typename T>
constexpr bool MemberFits(Codec codec, std::optional<T> Owner::*) { return CodecFits<T>(codec); }
template <typename Owner, typename T>
constexpr bool MemberFits(Codec codec, T Owner::*) { return CodecFits<T>(codec); }

// Codes ascend, and every codec fits its member.
template <typename Member>
constexpr bool IsSound(std::span<const SettingFormat<Member>> table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i > 0 && table[i].code <= table[i - 1].code) return false;
    const Codec codec = table[i].codec;
    if (!std::visit([codec](auto member) { return MemberFits(codec, member); }, table[i].member))
      return false;
  }
  return true;
}

static_assert(IsSound<WindowMember>(kWindowSettings));
static_assert(IsSound<ControlMember>(kLabelSettings));
static_assert(IsSound<ControlMember>(kCommandButtonSettings));
static_assert(IsSound<ControlMember>(kTextBoxSettings));

}  // namespace velmora::record
