#include "window/web/page_description.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "window/bytes.h"
#include "window/front_end.h"

namespace velmora::web {

namespace {

constexpr double kCssDpi = 96.0;  // a CSS pixel is 1/96 inch: 15 twips

// The font's CSS family list: the layout's font first (as a CSS string),
// then fonts of the same metrics, then any serif.
std::string FontFamilies(std::string_view family) {
  std::string css = "\"";
  for (const char c : family) {
    if (c == '"' || c == '\\') css += '\\';
    css += c;
  }
  return css + "\", \"Liberation Serif\", Tinos, serif";
}

// A text, or null where there is none.
void StringOrNull(JsonWriter& out, const std::optional<std::string>& text) {
  if (text)
    out.String(*text);
  else
    out.Null();
}

std::string IdOf(const Control& control) { return ControlId(control.name, control.index); }

std::int64_t Position(const std::vector<const Control*>& order, const Control& control) {
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == &control) return static_cast<std::int64_t>(i);
  return -1;
}

void WriteControl(JsonWriter& out, const Layout& layout, const Control& control,
                  const PanelBinding& binding, const std::vector<const Control*>& tab_order,
                  const NumberPanel& panel) {
  const ControlLook look = LookOf(control);
  const PixelRect rect = ToPixels(control.bounds, kCssDpi);
  const bool is_field = &control == binding.field;
  const bool is_top_line = &control == binding.top_line;
  std::int64_t command = -1;
  for (const Control* button : binding.buttons)
    if (button == &control) command = control.index;

  std::optional<std::string> caption_for;
  if (control.kind == ControlKind::Label) {
    for (const Control& box : layout.controls)
      if (box.kind == ControlKind::TextBox && CaptionOf(layout, box) == &control) caption_for = IdOf(box);
  }
  std::optional<std::string> role;
  if (is_field)
    role = "field";
  else if (is_top_line)
    role = "topLine";
  else if (command >= 0)
    role = "button";

  out.BeginObject();
  out.Key("id").String(IdOf(control));
  out.Key("kind").String(KindName(control.kind));
  out.Key("multiLine").Bool(look.multi_line);
  out.Key("left").Number(rect.left);
  out.Key("top").Number(rect.top);
  out.Key("width").Number(rect.width);
  out.Key("height").Number(rect.height);
  out.Key("text").String(is_field ? panel.FieldText() : is_top_line ? panel.TopLine() : control.text);
  out.Key("align").String(AlignmentName(is_field ? panel.FieldAlignment() : look.alignment));
  out.Key("visible").Bool(look.visible);
  StringOrNull(out.Key("background"),
               look.back_colour ? std::optional(CssColour(*look.back_colour)) : std::nullopt);
  out.Key("readOnly").Bool(look.read_only);
  out.Key("verticalScrollBar").Bool(look.vertical_scroll_bar);
  out.Key("horizontalScrollBar").Bool(look.horizontal_scroll_bar);
  out.Key("wraps").Bool(look.wraps);
  out.Key("ownColour").Bool(look.own_colour_button);
  if (look.own_colour_button) {
    out.Key("edge").BeginObject();
    for (const bool held : {false, true}) {
      const ButtonEdge e = ButtonEdgeOf(*look.back_colour, held);
      out.Key(held ? "held" : "raised").BeginArray();
      for (const Colour c : {e.outer_top_left, e.inner_top_left, e.inner_bottom_right, e.outer_bottom_right})
        out.String(CssColour(c));
      out.EndArray();
    }
    out.EndObject();
  }
  out.Key("tab").Number(Position(tab_order, control));
  StringOrNull(out.Key("captionFor"), caption_for);
  out.Key("name").String(AccessibleNameOf(layout, control));
  StringOrNull(out.Key("role"), role);
  out.Key("command").Number(command);
  out.EndObject();
}

}  // namespace

std::string CssColour(Colour colour) {
  const std::uint8_t rgb[] = {ColourRed(colour), ColourGreen(colour), ColourBlue(colour)};
  std::string css = "#";
  css += LowerHex(rgb);
  return css;
}

NumberPanel OpenedPanel(const Layout& layout, char32_t regional_separator) {
  NumberPanel panel(regional_separator);
  panel.Load(BindPanel(layout).field->text);
  return panel;
}

void WritePanelState(JsonWriter& out, const NumberPanel& panel) {
  out.Key("field").String(panel.FieldText());
  out.Key("topLine").String(panel.TopLine());
  out.Key("align").String(AlignmentName(panel.FieldAlignment()));
  out.Key("limit").Number(static_cast<std::int64_t>(panel.FieldLimit()));
}

void WritePanelMember(JsonWriter& out, const NumberPanel& panel) {
  out.Key("panel").BeginObject();
  WritePanelState(out, panel);
  out.EndObject();
}

std::string PanelState(const NumberPanel& panel) {
  JsonWriter out;
  out.BeginObject();
  WritePanelState(out, panel);
  out.EndObject();
  return std::move(out).Take();
}

void WriteWindow(JsonWriter& out, const Layout& layout, const NumberPanel& panel) {
  const PanelBinding binding = BindPanel(layout);
  const std::vector<const Control*> tab_order = TabOrder(layout);
  const FontLook font = FontLookOf(layout.font);

  out.Key("caption").String(layout.caption);
  out.Key("width").Number(TwipsToPixels(layout.client.width, kCssDpi));
  out.Key("height").Number(TwipsToPixels(layout.client.height, kCssDpi));
  out.Key("background").String(CssColour(layout.back_colour));
  out.Key("font").BeginObject();
  out.Key("family").String(FontFamilies(font.family));
  out.Key("pixels").Number(font.PixelHeight(kCssDpi));
  out.Key("weight").Number(font.weight);
  out.Key("italic").Bool(font.italic);
  out.Key("underline").Bool(font.underline);
  out.Key("strikeOut").Bool(font.strike_out);
  out.EndObject();
  out.Key("button").BeginObject();
  out.Key("edge").Number(kButtonEdgePixels);
  out.Key("shift").Number(kPressedCaptionShift);
  out.Key("focusInset").Number(kFocusRectangleInset);
  out.EndObject();
  out.Key("controls").BeginArray();
  for (const Control* control : StackingOrder(layout))
    WriteControl(out, layout, *control, binding, tab_order, panel);
  out.EndArray();
  WritePanelMember(out, panel);
}

std::string DescribeWindow(const Layout& layout, const NumberPanel& panel) {
  JsonWriter out;
  out.BeginObject();
  WriteWindow(out, layout, panel);
  out.EndObject();
  return std::move(out).Take();
}

}  // namespace velmora::web
