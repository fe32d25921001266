// The layout ops.
//
//   {"op":"record"}           -> {"hex":"ffcc3100..."}, the embedded record
//   {"op":"layout"}           -> the embedded record, decoded (below)
//   {"op":"layout","hex":H}   -> the record H, decoded, or
//                                {"error":"offset N: expected ..."} when the
//                                reader rejects it
//   {"op":"page"}             -> the web page's description of the window
//                                that the embedded record makes, as the page
//                                gets it when it opens (see
//                                window/web/page_description.h)
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
//      {"name": "Text2", "index": 0, "number": 1, "kind": "text",
//       "text": "112", "left": 1320, "top": 960, "width": 1335,
//       "height": 405, "tab_index": 6,
//       and only those the record stores:
//       "back_colour": "&H0080C0FF&", "visible": false,
//       "alignment": "left" | "right" | "center", "multi_line": true,
//       "scroll_bars": "none" | "horizontal" | "vertical" | "both",
//       "read_only": true, "own_colour": true}, ...]}
// Kinds are "label", "text" (a text box) and "button" (a command button),
// named as the page's description names them (window/layout.h); texts are
// UTF-8.
#include <string>

#include "tools/driver/driver.h"
#include "window/bytes.h"
#include "window/embedded_record.h"
#include "window/front_end.h"
#include "window/record_reader.h"
#include "window/web/page_description.h"

namespace velmora::driver {
namespace {

std::string ColourText(Colour c) { return "&H" + UpperHex(c, 8) + "&"; }

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

Json PageOp(const Json&) {
  const Layout layout = ReadLayoutRecord(EmbeddedRecord());
  return Json::parse(web::DescribeWindow(layout, web::OpenedPanel(layout, U'.')));
}

constexpr Op kOps[] = {{"record", RecordOp}, {"layout", LayoutOp}, {"page", PageOp}};

}  // namespace

std::span<const Op> LayoutOps() { return kOps; }

}  // namespace velmora::driver
