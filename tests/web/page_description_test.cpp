// The web page's description of the window and of the panel, on the
// program's own stored layout: what the page builds its elements from.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "numbers/runtime_error.h"
#include "panel/number_panel.h"
#include "window/embedded_record.h"
#include "window/bytes.h"
#include "window/record_reader.h"
#include "window/web/open_answer.h"
#include "window/web/page_description.h"

namespace velmora::web {
namespace {

using nlohmann::json;

NumberPanel LoadedPanel() {
  NumberPanel panel;
  panel.Load("112");
  return panel;
}

json Described() {
  return json::parse(DescribeWindow(ReadLayoutRecord(EmbeddedRecord()), LoadedPanel()));
}

const json& ControlById(const json& window, const std::string& id) {
  for (const json& c : window["controls"])
    if (c["id"] == id) return c;
  throw std::runtime_error("no control " + id);
}

TEST(PageDescription, ColoursAreCssHexInRedGreenBlueOrder) {
  EXPECT_EQ(CssColour(0x00FFC0C0), "#c0c0ff");
  EXPECT_EQ(CssColour(0x0080C0FF), "#ffc080");
  EXPECT_EQ(CssColour(0), "#000000");
}

TEST(PageDescription, TheWindowInCssPixels) {
  const json window = Described();
  EXPECT_EQ(window["caption"], "www.velmora.example Информатика - сума, разлика между цифри и число");
  EXPECT_EQ(window["width"], 536);
  EXPECT_EQ(window["height"], 258);
  EXPECT_EQ(window["background"], "#c0c0ff");
  EXPECT_EQ(window["font"]["family"], R"("Times New Roman", "Liberation Serif", Tinos, serif)");
  EXPECT_EQ(window["font"]["pixels"], 16);
  EXPECT_EQ(window["font"]["weight"], 400);
  EXPECT_EQ(window["button"], json::parse(R"({"edge":2,"shift":1,"focusInset":4})"));
}

TEST(PageDescription, ControlsBottomToTopWithTheirPlacesAndLooks) {
  const json window = Described();
  std::vector<std::string> ids;
  for (const json& c : window["controls"]) ids.push_back(c["id"]);
  EXPECT_EQ(ids, (std::vector<std::string>{"Label1(0)", "Label1(1)", "Text1(0)", "Text1(1)",
                                            "Command1(0)", "Command1(1)", "Text2(0)"}));

  const json& field = ControlById(window, "Text2(0)");
  EXPECT_EQ(field["kind"], "text");
  EXPECT_EQ(field["multiLine"], false);
  EXPECT_EQ((std::vector<int>{field["left"], field["top"], field["width"], field["height"]}),
            (std::vector<int>{88, 64, 89, 27}));
  EXPECT_EQ(field["role"], "field");
  EXPECT_EQ(field["background"], nullptr);

  const json& increase = ControlById(window, "Command1(0)");
  EXPECT_EQ(increase["kind"], "button");
  EXPECT_EQ(increase["text"], "Увеличава със сбор");
  EXPECT_EQ(increase["background"], "#80ffff");
  EXPECT_EQ(increase["ownColour"], true);
  EXPECT_EQ(increase["role"], "button");
  EXPECT_EQ(increase["command"], 0);
  EXPECT_EQ(increase["edge"]["raised"],
            json::parse(R"(["#dfffff","#a0ffff","#408080","#204040"])"));
  EXPECT_EQ(increase["edge"]["held"], json::parse(R"(["#204040","#408080","#a0ffff","#dfffff"])"));
  EXPECT_EQ(ControlById(window, "Command1(1)")["command"], 1);

  const json& statement = ControlById(window, "Text1(0)");
  EXPECT_EQ(statement["kind"], "text");
  EXPECT_EQ(statement["multiLine"], true);
  EXPECT_EQ(statement["readOnly"], true);
  EXPECT_EQ(statement["verticalScrollBar"], true);
  EXPECT_EQ(statement["horizontalScrollBar"], false);
  EXPECT_EQ(statement["wraps"], true);
  EXPECT_EQ(statement["visible"], true);
  EXPECT_EQ(statement["name"], "Условие на задачата");
  EXPECT_EQ(field["name"], "Число");
  EXPECT_EQ(ControlById(window, "Text1(1)")["visible"], false);
  EXPECT_EQ(ControlById(window, "Text1(1)")["name"], "");

  const json& top_line = ControlById(window, "Label1(0)");
  EXPECT_EQ(top_line["role"], "topLine");
  EXPECT_EQ(top_line["background"], "#ffc080");
  EXPECT_EQ(top_line["command"], -1);
}

// A button in pure white or black has two equal shades in its edge (white
// held: lightest and light; black raised: shadow and darkest): each is
// still its own array element.
TEST(PageDescription, WhiteAndBlackButtonsHaveFourShadesEach) {
  Layout layout = ReadLayoutRecord(EmbeddedRecord());
  for (Control& c : layout.controls)
    if (c.name == "Command1") c.back_colour = c.index == 0 ? 0x00FFFFFF : 0x00000000;
  const json window = json::parse(DescribeWindow(layout, LoadedPanel()));
  const json& white = ControlById(window, "Command1(0)");
  EXPECT_EQ(white["background"], "#ffffff");
  EXPECT_EQ(white["edge"]["raised"], json::parse(R"(["#ffffff","#ffffff","#808080","#404040"])"));
  EXPECT_EQ(white["edge"]["held"], json::parse(R"(["#404040","#808080","#ffffff","#ffffff"])"));
  const json& black = ControlById(window, "Command1(1)");
  EXPECT_EQ(black["background"], "#000000");
  EXPECT_EQ(black["edge"]["raised"], json::parse(R"(["#bfbfbf","#404040","#000000","#000000"])"));
  EXPECT_EQ(black["edge"]["held"], json::parse(R"(["#000000","#000000","#404040","#bfbfbf"])"));
}

TEST(PageDescription, TabPositionsCaptionsAndAlignment) {
  const json window = Described();
  const std::vector<std::pair<std::string, int>> tabs = {
      {"Text1(0)", 0}, {"Command1(0)", 1}, {"Command1(1)", 2}, {"Text2(0)", 3},
      {"Text1(1)", -1}, {"Label1(0)", -1}, {"Label1(1)", -1}};
  for (const auto& [id, tab] : tabs) EXPECT_EQ(ControlById(window, id)["tab"], tab) << id;
  EXPECT_EQ(ControlById(window, "Label1(1)")["captionFor"], "Text2(0)");
  EXPECT_EQ(ControlById(window, "Label1(0)")["captionFor"], nullptr);
  EXPECT_EQ(ControlById(window, "Label1(0)")["align"], "center");
  EXPECT_EQ(ControlById(window, "Text1(0)")["align"], "left");
}

TEST(PageDescription, TheFieldAndTopLineShowThePanelNotTheLayout) {
  NumberPanel panel = LoadedPanel();
  panel.OnCommand(NumberPanel::kIncrease);
  const json window = json::parse(DescribeWindow(ReadLayoutRecord(EmbeddedRecord()), panel));
  EXPECT_EQ(ControlById(window, "Text2(0)")["text"], "116");
  EXPECT_EQ(ControlById(window, "Text2(0)")["align"], "center");
  EXPECT_EQ(ControlById(window, "Label1(0)")["text"], "Сума от цифри: 8");
  EXPECT_EQ(window["panel"],
            json::parse(R"({"field":"116","topLine":"Сума от цифри: 8","align":"center","limit":4})"));
}

TEST(PageDescription, ALayoutWithoutTheFieldIsARunTimeError) {
  Layout layout = ReadLayoutRecord(EmbeddedRecord());
  std::erase_if(layout.controls, [](const Control& c) { return c.name == "Text2"; });
  try {
    DescribeWindow(layout, LoadedPanel());
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrorBadLayout);
    EXPECT_EQ(e.Description(), "The window has no control Text2(0)");
  }
}

// What a module answers on opening: the record's fingerprint and the panel,
// and, where asked, the window's description as DescribeWindow gives it.
TEST(PageDescription, OpenAnswersTheRecordAndThePanelOrTheWholeWindow) {
  const Layout layout = ReadLayoutRecord(EmbeddedRecord());
  const NumberPanel panel = OpenedPanel(layout, U'.');
  const json fingerprint = Fingerprint(EmbeddedRecord());
  const json state = json::parse(PanelState(panel));

  const json just_panel = json::parse(OpenAnswer<Opened::kPanel>(layout, panel, EmbeddedRecord()));
  EXPECT_EQ(just_panel, (json{{"record", fingerprint}, {"panel", state}}));

  json whole = json::parse(OpenAnswer<Opened::kWindow>(layout, panel, EmbeddedRecord()));
  EXPECT_EQ(whole["record"], fingerprint);
  EXPECT_EQ(whole["panel"], state);
  whole.erase("record");
  EXPECT_EQ(whole, json::parse(DescribeWindow(layout, panel)));
}

TEST(PageDescription, PanelStateBeforeLoadHasNoLimit) {
  const json state = json::parse(PanelState(NumberPanel()));
  EXPECT_EQ(state["limit"], 0);
  EXPECT_EQ(state["field"], "112");
  EXPECT_EQ(state["topLine"], "Естествено число - сума и разлика от цифри");
}

}  // namespace
}  // namespace velmora::web
