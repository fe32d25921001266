#pragma once
// The byte values of the stored layout record, shared by its writer and its
// reader (see record_writer.h for the layout of the record).

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora::record {

inline constexpr std::array<std::uint8_t, 4> kSignature = {0xFF, 0xCC, 0x31, 0x00};
inline constexpr std::uint8_t kVersion = 4;
inline constexpr std::size_t kZeroBytes = 36;
// Offset of the first count: signature, version, class ids, zero bytes.
inline constexpr std::size_t kRecordCountOffset = 4 + 1 + 3 * 16 + kZeroBytes;

inline constexpr std::uint8_t kWindowKind = 13;
inline constexpr std::uint8_t kEndByte = 0xFF;
inline constexpr std::uint8_t kFirstMarker = 1;
inline constexpr std::uint8_t kNextMarker = 3;
inline constexpr std::uint16_t kControlFlags = 0x8000;
inline constexpr std::array<std::uint8_t, 2> kClosing = {0x02, 0x04};

// Booleans as stored: visible, several lines, read-only.
inline constexpr std::uint8_t kTrue = 0xFF;
inline constexpr std::uint8_t kFalse = 0x00;

// The icon setting's value: a fixed prefix, the picture block's length, then
// the block: its tag, the icon file's length and the file.
inline constexpr std::array<std::uint8_t, 7> kIconPrefix = {0x01, 0x00, 0x42, 0x00,
                                                            0x22, 0x01, 0x23};
inline constexpr std::array<std::uint8_t, 4> kPictureTag = {0x6C, 0x74, 0x00, 0x00};

inline constexpr std::uint8_t kFontVersion = 1;

// Setting codes. Window:
inline constexpr std::uint8_t kWindowCaption = 0x01;
inline constexpr std::uint8_t kWindowBackColour = 0x03;
inline constexpr std::uint8_t kWindowIcon = 0x19;
inline constexpr std::uint8_t kWindowLinkTopic = 0x24;
inline constexpr std::uint8_t kWindow26 = 0x26;
inline constexpr std::uint8_t kWindow27 = 0x27;
inline constexpr std::uint8_t kWindowClient = 0x35;
inline constexpr std::uint8_t kWindowFont = 0x40;
inline constexpr std::uint8_t kWindow46 = 0x46;
// Label and command button:
inline constexpr std::uint8_t kCaption = 0x01;
inline constexpr std::uint8_t kIndex = 0x02;
inline constexpr std::uint8_t kBackColour = 0x03;
inline constexpr std::uint8_t kButtonBounds = 0x04;
inline constexpr std::uint8_t kLabelBounds = 0x05;
inline constexpr std::uint8_t kButtonTabIndex = 0x11;
inline constexpr std::uint8_t kLabelTabIndex = 0x12;
inline constexpr std::uint8_t kLabelAlignment = 0x14;
inline constexpr std::uint8_t kButtonOwnColour = 0x29;
// Text box:
inline constexpr std::uint8_t kTextIndex = 0x01;
inline constexpr std::uint8_t kTextBounds = 0x04;
inline constexpr std::uint8_t kTextVisible = 0x09;
inline constexpr std::uint8_t kTextText = 0x0B;
inline constexpr std::uint8_t kTextTabIndex = 0x12;
inline constexpr std::uint8_t kTextMultiLine = 0x17;
inline constexpr std::uint8_t kTextScrollBars = 0x18;
inline constexpr std::uint8_t kTextAlignment = 0x24;
inline constexpr std::uint8_t kTextReadOnly = 0x2D;

}  // namespace velmora::record
