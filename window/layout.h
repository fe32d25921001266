#pragma once
// The window's layout as data: the window and its controls with every stored
// setting. The layout table (layout_data.h) is one of these, the record
// writer encodes one into the stored record, and the record reader decodes a
// record back into one; front ends build their window from what the reader
// gives. Texts are UTF-8 here and code page 1251 in the record. Positions
// and sizes are in twips (1/1440 inch; 15 twips per pixel at 96 dpi).
// Colours are as stored, 0x00BBGGRR. A setting that an entry does not store
// is std::nullopt and takes the default named beside it.

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

#include "panel/alignment.h"

namespace velmora {

using Colour = std::uint32_t;  // 0x00BBGGRR

constexpr std::uint8_t ColourRed(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t ColourGreen(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t ColourBlue(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

struct TwipsRect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// Kind bytes as stored.
enum class ControlKind : std::uint8_t { Label = 1, TextBox = 2, CommandButton = 4 };
enum class ScrollBars : std::uint8_t { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

struct Font {
  std::string name;                  // "Times New Roman"
  std::uint16_t charset = 0;         // 204: Cyrillic
  std::uint8_t attributes = 0;       // bit 0 italic, 1 underline, 2 strikeout
  std::uint16_t weight = 400;        // 400 normal, 700 bold
  std::uint32_t size = 0;            // in 1/10000 point: 120000 is 12 pt
  friend bool operator==(const Font&, const Font&) = default;
};

struct Control {
  std::string name;                  // array name: "Text2", "Command1", ...
  std::int16_t index = 0;            // element of the array
  std::uint8_t array_number = 0;     // arrays numbered in first-appearance order
  ControlKind kind = ControlKind::Label;
  std::string text;                  // caption (label, button) or text (text box)
  TwipsRect bounds;
  std::optional<Colour> back_colour; // default: the toolkit's for the kind
  std::int16_t tab_index = 0;
  std::optional<bool> visible;       // default: visible
  std::optional<Alignment> alignment;  // default: left
  std::optional<bool> multi_line;    // text boxes; default: one line
  std::optional<ScrollBars> scroll_bars;  // text boxes; default: none
  std::optional<bool> read_only;     // text boxes; default: editable
  std::optional<bool> own_colour;    // buttons drawn in back_colour; default: no

  bool IsVisible() const { return visible.value_or(true); }
  friend bool operator==(const Control&, const Control&) = default;
};

using ClassId = std::array<std::uint8_t, 16>;

struct Layout {
  std::array<ClassId, 3> class_ids{};  // window class, window, form class
  std::string name;                    // "Velmora"
  std::string caption;
  Colour back_colour = 0;
  std::vector<std::uint8_t> icon;      // the icon file (.ico), whole
  std::string link_topic;
  // Window settings 26, 27 and 46: nothing reads them; they are kept only
  // so that a record read is written back byte for byte.
  std::uint8_t kept_for_rewrite_26 = 0, kept_for_rewrite_27 = 0, kept_for_rewrite_46 = 0;
  TwipsRect client;                    // left and top as stored; width, height
  Font font;
  std::vector<Control> controls;       // in record order

  friend bool operator==(const Layout&, const Layout&) = default;
};

// The names by which the driver's answers and the page's description both
// call the stored values (and the page's CSS classes call the kinds).
constexpr const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::TextBox: return "text";
    case ControlKind::CommandButton: return "button";
  }
  return "unknown";
}
constexpr const char* AlignmentName(Alignment alignment) {
  switch (alignment) {
    case Alignment::Left: return "left";
    case Alignment::Right: return "right";
    case Alignment::Centre: return "center";
  }
  return "unknown";
}
constexpr const char* ScrollBarsName(ScrollBars bars) {
  switch (bars) {
    case ScrollBars::None: return "none";
    case ScrollBars::Horizontal: return "horizontal";
    case ScrollBars::Vertical: return "vertical";
    case ScrollBars::Both: return "both";
  }
  return "unknown";
}

// How a control is named in messages and object names: "Text2(0)".
inline std::string ControlId(std::string_view name, std::int16_t index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

// The control `name`(`index`), or nullptr.
inline const Control* FindControl(const Layout& layout, std::string_view name,
                                  std::int16_t index) {
  for (const Control& c : layout.controls)
    if (c.name == name && c.index == index) return &c;
  return nullptr;
}

// The first control that has the name and Index of one before it, or
// nullptr: a layout names each control once.
inline const Control* RepeatedControl(const Layout& layout) {
  std::set<std::pair<std::string_view, std::int16_t>> seen;
  for (const Control& c : layout.controls)
    if (!seen.emplace(c.name, c.index).second) return &c;
  return nullptr;
}

}  // namespace velmora
