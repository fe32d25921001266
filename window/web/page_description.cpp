#include "window/web/page_description.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "window/bytes.h"
#include "window/front_end.h"

namespace velmora::web {

namespace {

constexpr double kCssDpi = 96.0;  // a CSS pixel is 1/96 inch: 15 twips

// Appends `"key":` to a JSON object being written.
class ObjectWriter {
 public:
  explicit ObjectWriter(std::string& out) : out_(out) { out_ += '{'; }
  ~ObjectWriter() { out_ += '}'; }
  ObjectWriter(const ObjectWriter&) = delete;
  ObjectWriter& operator=(const ObjectWriter&) = delete;

  std::string& Key(std::string_view key) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += JsonString(key);
    out_ += ':';
    return out_;
  }
  void Raw(std::string_view key, std::string_view json) { Key(key) += json; }
  void Text(std::string_view key, std::string_view text) { Key(key) += JsonString(text); }
  void Number(std::string_view key, long long value) { Key(key) += std::to_string(value); }
  void Bool(std::string_view key, bool value) { Key(key) += value ? "true" : "false"; }

 private:
  std::string& out_;
  bool first_ = true;
};

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

std::string IdOf(const Control& control) { return ControlId(control.name, control.index); }

long long Position(const std::vector<const Control*>& order, const Control& control) {
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == &control) return static_cast<long long>(i);
  return -1;
}

void WriteControl(std::string& out, const Layout& layout, const Control& control,
                  const PanelBinding& binding, const std::vector<const Control*>& tab_order,
                  const NumberPanel& panel) {
  const ControlLook look = LookOf(control);
  const PixelRect rect = ToPixels(control.bounds, kCssDpi);
  const bool is_field = &control == binding.field;
  const bool is_top_line = &control == binding.top_line;
  long long command = -1;
  for (const Control* button : binding.buttons)
    if (button == &control) command = control.index;

  std::string caption_for = "null";
  if (control.kind == ControlKind::Label) {
    for (const Control& box : layout.controls)
      if (box.kind == ControlKind::TextBox && CaptionOf(layout, box) == &control)
        caption_for = JsonString(IdOf(box));
  }

  ObjectWriter o(out);
  o.Text("id", IdOf(control));
  o.Text("kind", KindName(control.kind));
  o.Bool("multiLine", look.multi_line);
  o.Number("left", rect.left);
  o.Number("top", rect.top);
  o.Number("width", rect.width);
  o.Number("height", rect.height);
  o.Text("text", is_field ? panel.FieldText() : is_top_line ? panel.TopLine() : control.text);
  o.Text("align", AlignmentName(is_field ? panel.FieldAlignment() : look.alignment));
  o.Bool("visible", look.visible);
  o.Raw("background", look.back_colour ? JsonString(CssColour(*look.back_colour)) : "null");
  o.Bool("readOnly", look.read_only);
  o.Bool("verticalScrollBar", look.vertical_scroll_bar);
  o.Bool("horizontalScrollBar", look.horizontal_scroll_bar);
  o.Bool("wraps", look.wraps);
  o.Bool("ownColour", look.own_colour_button);
  if (look.own_colour_button) {
    ObjectWriter edge(o.Key("edge"));
    for (const bool held : {false, true}) {
      const ButtonEdge e = ButtonEdgeOf(*look.back_colour, held);
      std::string& shades = edge.Key(held ? "held" : "raised");
      shades += '[';
      for (const Colour c : {e.outer_top_left, e.inner_top_left, e.inner_bottom_right, e.outer_bottom_right})
        shades += JsonString(CssColour(c)) + (c == e.outer_bottom_right ? "" : ",");
      shades += ']';
    }
  }
  o.Number("tab", Position(tab_order, control));
  o.Raw("captionFor", caption_for);
  o.Text("name", AccessibleNameOf(layout, control));
  o.Raw("role", is_field ? "\"field\"" : is_top_line ? "\"topLine\"" : command >= 0 ? "\"button\"" : "null");
  o.Number("command", command);
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u";
      out += LowerHex(byte, 4);
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

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

std::string PanelState(const NumberPanel& panel) {
  std::string out;
  {
    ObjectWriter o(out);
    o.Text("field", panel.FieldText());
    o.Text("topLine", panel.TopLine());
    o.Text("align", AlignmentName(panel.FieldAlignment()));
    o.Number("limit", static_cast<long long>(panel.FieldLimit()));
  }
  return out;
}

std::string DescribeWindow(const Layout& layout, const NumberPanel& panel) {
  const PanelBinding binding = BindPanel(layout);
  const std::vector<const Control*> tab_order = TabOrder(layout);
  const FontLook font = FontLookOf(layout.font);

  std::string out;
  {
    ObjectWriter o(out);
    o.Text("caption", layout.caption);
    o.Number("width", TwipsToPixels(layout.client.width, kCssDpi));
    o.Number("height", TwipsToPixels(layout.client.height, kCssDpi));
    o.Text("background", CssColour(layout.back_colour));
    {
      ObjectWriter f(o.Key("font"));
      f.Text("family", FontFamilies(font.family));
      f.Number("pixels", font.PixelHeight(kCssDpi));
      f.Number("weight", font.weight);
      f.Bool("italic", font.italic);
      f.Bool("underline", font.underline);
      f.Bool("strikeOut", font.strike_out);
    }
    {
      ObjectWriter b(o.Key("button"));
      b.Number("edge", kButtonEdgePixels);
      b.Number("shift", kPressedCaptionShift);
      b.Number("focusInset", kFocusRectangleInset);
    }
    std::string& controls = o.Key("controls");
    controls += '[';
    bool first = true;
    for (const Control* control : StackingOrder(layout)) {
      if (!first) controls += ',';
      first = false;
      WriteControl(controls, layout, *control, binding, tab_order, panel);
    }
    controls += ']';
    o.Raw("panel", PanelState(panel));
  }
  return out;
}

}  // namespace velmora::web
