#include "window/front_end.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

const Control& Require(const Layout& layout, std::string_view name, std::int16_t index,
                       ControlKind kind, const char* kind_name) {
  const Control* control = FindControl(layout, name, index);
  if (!control)
    throw RuntimeError(kErrorBadLayout, "The window has no control " + ControlId(name, index));
  if (control->kind != kind)
    throw RuntimeError(kErrorBadLayout,
                       "The control " + ControlId(name, index) + " is not " + kind_name);
  return *control;
}

// Controls in tab-index order; equal indexes keep their record order.
std::vector<const Control*> ByTabIndex(const Layout& layout, bool (*keep)(const Control&)) {
  // Each control goes in after every one of its tab index or lower: a
  // window has a handful, and this is much smaller code than a stable sort.
  std::vector<const Control*> order;
  for (const Control& control : layout.controls) {
    if (!keep(control)) continue;
    const auto at = std::upper_bound(order.begin(), order.end(), control.tab_index,
                                     [](auto tab, const Control* c) { return tab < c->tab_index; });
    order.insert(at, &control);
  }
  return order;
}

bool IsLabel(const Control& c) { return c.kind == ControlKind::Label; }

}  // namespace

PanelBinding BindPanel(const Layout& layout) {
  // Each front end finds its widgets by the control's name and Index.
  if (const Control* again = RepeatedControl(layout))
    throw RuntimeError(kErrorBadLayout, "The window's layout has the control " +
                                            ControlId(again->name, again->index) + " twice");
  PanelBinding binding{
      &Require(layout, kFieldName, 0, ControlKind::TextBox, "a text box"),
      &Require(layout, kTopLineName, 0, ControlKind::Label, "a label"),
      {}};
  if (binding.field->multi_line.value_or(false))
    throw RuntimeError(kErrorBadLayout,
                       "The control " + ControlId(kFieldName, 0) + " is not a one-line text box");
  for (const Control& control : layout.controls) {
    if (control.name != kButtonArray) continue;
    binding.buttons.push_back(&Require(layout, kButtonArray, control.index,
                                       ControlKind::CommandButton, "a command button"));
  }
  if (binding.buttons.empty())
    throw RuntimeError(kErrorBadLayout,
                       "The window has no control " + ControlId(kButtonArray, 0));
  return binding;
}

std::vector<const Control*> TabOrder(const Layout& layout) {
  return ByTabIndex(layout, [](const Control& c) { return LookOf(c).takes_focus && c.IsVisible(); });
}

namespace {

// The labels, then the other controls, each by tab index; or the other way round.
std::vector<const Control*> LabelsAnd(const Layout& layout, bool labels_first) {
  const std::vector<const Control*> labels = ByTabIndex(layout, IsLabel);
  const std::vector<const Control*> others =
      ByTabIndex(layout, [](const Control& c) { return !IsLabel(c); });
  std::vector<const Control*> order = labels_first ? labels : others;
  const std::vector<const Control*>& rest = labels_first ? others : labels;
  order.insert(order.end(), rest.begin(), rest.end());
  return order;
}

}  // namespace

std::vector<const Control*> StackingOrder(const Layout& layout) { return LabelsAnd(layout, true); }

std::vector<const Control*> TopDownOrder(const Layout& layout) { return LabelsAnd(layout, false); }

int TwipsToPixels(std::int32_t twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

PixelRect ToPixels(const TwipsRect& twips, double dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

int FontLook::PixelHeight(double dpi) const {
  return static_cast<int>(std::lround(points * dpi / 72.0));
}

FontLook FontLookOf(const Font& font) {
  FontLook look;
  look.family = font.name;
  look.points = font.size / 10000.0;
  look.weight = std::clamp<int>(font.weight, 1, 1000);
  look.italic = (font.attributes & 1) != 0;
  look.underline = (font.attributes & 2) != 0;
  look.strike_out = (font.attributes & 4) != 0;
  look.charset = font.charset;
  return look;
}

ControlLook LookOf(const Control& control) {
  ControlLook look;
  look.visible = control.IsVisible();
  look.takes_focus = control.kind != ControlKind::Label;
  look.alignment = control.alignment.value_or(Alignment::Left);
  look.back_colour = control.back_colour;
  if (control.kind == ControlKind::TextBox) {
    look.multi_line = control.multi_line.value_or(false);
    const ScrollBars bars = control.scroll_bars.value_or(ScrollBars::None);
    // A one-line box scrolls sideways by itself and shows no scroll bars.
    look.vertical_scroll_bar =
        look.multi_line && (bars == ScrollBars::Vertical || bars == ScrollBars::Both);
    look.horizontal_scroll_bar =
        look.multi_line && (bars == ScrollBars::Horizontal || bars == ScrollBars::Both);
    look.wraps = look.multi_line && !look.horizontal_scroll_bar;
    look.read_only = control.read_only.value_or(false);
  }
  look.own_colour_button = control.kind == ControlKind::CommandButton &&
                           control.own_colour.value_or(false) && control.back_colour.has_value();
  // As in a dialog.
  look.enter_presses = control.kind == ControlKind::CommandButton;
  return look;
}

namespace {

// `quarters` quarters of the way from `colour` towards `target` (0 or 255).
Colour Towards(Colour colour, int target, int quarters) {
  const auto step = [&](std::uint8_t part) {
    return static_cast<Colour>((part * (4 - quarters) + target * quarters + 2) / 4);
  };
  return step(ColourRed(colour)) | step(ColourGreen(colour)) << 8 | step(ColourBlue(colour)) << 16;
}

}  // namespace

ButtonEdge ButtonEdgeOf(Colour face, bool held) {
  const Colour lightest = Towards(face, 255, 3), light = Towards(face, 255, 1);
  const Colour shadow = Towards(face, 0, 2), darkest = Towards(face, 0, 3);
  if (held) return {darkest, shadow, light, lightest};
  return {lightest, light, shadow, darkest};
}

ColourChoice WindowBackOf(const Layout& layout, bool high_contrast) {
  if (high_contrast) return SystemColour::Face;
  return layout.back_colour;
}

ControlColours ColoursOf(const Control& control, bool high_contrast) {
  const bool text_box = control.kind == ControlKind::TextBox;
  const SystemColour back = text_box ? SystemColour::Window : SystemColour::Face;
  const SystemColour text = text_box ? SystemColour::WindowText : SystemColour::FaceText;
  if (high_contrast || !control.back_colour) return {back, text, false};
  return {*control.back_colour, text, LookOf(control).own_colour_button};
}

const Control* CaptionOf(const Layout& layout, const Control& box) {
  for (const Control& label : layout.controls) {
    if (label.kind != ControlKind::Label || label.bounds.left != box.bounds.left) continue;
    const std::int32_t label_bottom = label.bounds.top + label.bounds.height;
    if (std::abs(box.bounds.top - label_bottom) <= label.bounds.height / 2) return &label;
  }
  return nullptr;
}

std::string AccessibleNameOf(const Layout& layout, const Control& control) {
  if (!control.IsVisible()) return {};
  if (control.kind != ControlKind::TextBox) return control.text;
  if (const Control* caption = CaptionOf(layout, control)) return caption->text;
  if (control.name == kStatementName && control.index == 0) return std::string(kStatementAccessibleName);
  return {};
}

std::string ErrorText(const RuntimeError& error) {
  return "Run-time error " + std::to_string(error.Number()) + ":\n\n" + error.Description();
}

}  // namespace velmora
