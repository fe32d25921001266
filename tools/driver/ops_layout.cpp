// The layout ops.
//
//   {"op":"record"}           -> {"hex":"ffcc3100..."}, the embedded record
//   {"op":"layout"}           -> the embedded record, decoded (below)
//   {"op":"layout","hex":H}   -> the record H, decoded, or
//                                {"error":"offset N: expected ..."} when the
//                                reader rejects it
//
// A decoded record:
//   {"class_ids": ["<32 hex digits>", x3],
//    "name": "Velmora", "caption": "...", "back_colour": "&H00FFC0C0&",
//    "icon": "<the icon file, hex>", "link_topic": "...",
//    "kept_for_rewrite_26": 0, "kept_for_rewrite_27": 0, "kept_for_rewrite_46": 1,
//    "client": {"left": 45, "top": 435, "width": 8040, "height": 3870},
//    "font": {"name": "...", "charset": 204, "attributes": 0,
//             "weight": 400, "size": 120000},
//    "controls": [ in record order:
//      {"name": "Text2", "index": 0, "number": 1, "kind": "text box",
//       "text": "112", "left": 1320, "top": 960, "width": 1335,
//       "height": 405, "tab_index": 6,
//       and only those the record stores:
//       "back_colour": "&H0080C0FF&", "visible": false,
//       "alignment": "left" | "right" | "centre", "multi_line": true,
//       "scroll_bars": "none" | "horizontal" | "vertical" | "both",
//       "read_only": true, "own_colour": true}, ...]}
// Kinds are "label", "text box" and "command button"; texts are UTF-8.
#include <string>

#include "tools/driver/driver.h"
#include "window/bytes.h"
#include "window/embedded_record.h"
#include "window/record_reader.h"

namespace velmora::driver {
namespace {

std::string ColourText(Colour c) { return "&H" + UpperHex(c, 8) + "&"; }

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::TextBox: return "text box";
    case ControlKind::CommandButton: return "command button";
  }
  return "unknown";
}

const char* AlignmentName(Alignment a) {
  switch (a) {
    case Alignment::Left: return "left";
    case Alignment::Right: return "right";
    case Alignment::Centre: return "centre";
  }
  return "unknown";
}

const char* ScrollBarsName(ScrollBars s) {
  switch (s) {
    case ScrollBars::None: return "none";
    case ScrollBars::Horizontal: return "horizontal";
    case ScrollBars::Vertical: return "vertical";
    case ScrollBars::Both: return "both";
  }
  return "unknown";
}

Json RectJson(const TwipsRect& r) {
  return {{"left", r.left}, {"top", r.top}, {"width", r.width}, {"height", r.height}};
}

Json ControlJson(const Control& c) {
  Json j = {{"name", c.name}, {"index", c.index}, {"number", c.array_number},
            {"kind", KindName(c.kind)}, {"text", c.text}, {"tab_index", c.tab_index}};
  j.update(RectJson(c.bounds));
  if (c.back_colour) j["back_colour"] = ColourText(*c.back_colour);
  if (c.visible) j["visible"] = *c.visible;
  if (c.alignment) j["alignment"] = AlignmentName(*c.alignment);
  if (c.multi_line) j["multi_line"] = *c.multi_line;
  if (c.scroll_bars) j["scroll_bars"] = ScrollBarsName(*c.scroll_bars);
  if (c.read_only) j["read_only"] = *c.read_only;
  if (c.own_colour) j["own_colour"] = *c.own_colour;
  return j;
}

Json LayoutJson(const Layout& l) {
  Json ids = Json::array();
  for (const ClassId& id : l.class_ids) ids.push_back(LowerHex(id));
  Json controls = Json::array();
  for (const Control& c : l.controls) controls.push_back(ControlJson(c));
  return {{"class_ids", ids},
          {"name", l.name},
          {"caption", l.caption},
          {"back_colour", ColourText(l.back_colour)},
          {"icon", LowerHex(l.icon)},
          {"link_topic", l.link_topic},
          {"kept_for_rewrite_26", l.kept_for_rewrite_26},
          {"kept_for_rewrite_27", l.kept_for_rewrite_27},
          {"kept_for_rewrite_46", l.kept_for_rewrite_46},
          {"client", RectJson(l.client)},
          {"font",
           {{"name", l.font.name},
            {"charset", l.font.charset},
            {"attributes", l.font.attributes},
            {"weight", l.font.weight},
            {"size", l.font.size}}},
          {"controls", controls}};
}

Json RecordOp(const Json&) { return {{"hex", LowerHex(EmbeddedRecord())}}; }

Json LayoutOp(const Json& request) {
  if (!request.contains("hex")) return LayoutJson(ReadLayoutRecord(EmbeddedRecord()));
  const std::vector<std::uint8_t> bytes = ParseHexBytes(RequireString(request, "hex"));
  try {
    return LayoutJson(ReadLayoutRecord(bytes));
  } catch (const RecordError& e) {
    return {{"error", e.Description()}};
  }
}

constexpr Op kOps[] = {{"record", RecordOp}, {"layout", LayoutOp}};

}  // namespace

std::span<const Op> LayoutOps() { return kOps; }

}  // namespace velmora::driver
