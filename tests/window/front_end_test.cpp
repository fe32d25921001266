// The rules every front end shares, on the program's own stored layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/embedded_record.h"
#include "window/front_end.h"
#include "window/icon_image.h"
#include "window/record_reader.h"

namespace velmora {
namespace {

const Layout& Program() {
  static const Layout layout = ReadLayoutRecord(EmbeddedRecord());
  return layout;
}

std::vector<std::string> Ids(const std::vector<const Control*>& controls) {
  std::vector<std::string> ids;
  for (const Control* c : controls) ids.push_back(ControlId(c->name, c->index));
  return ids;
}

TEST(FrontEnd, BindsTheFieldTheTopLineAndEveryButton) {
  const PanelBinding binding = BindPanel(Program());
  EXPECT_EQ(ControlId(binding.field->name, binding.field->index), "Text2(0)");
  EXPECT_EQ(ControlId(binding.top_line->name, binding.top_line->index), "Label1(0)");
  EXPECT_EQ(Ids(binding.buttons), (std::vector<std::string>{"Command1(1)", "Command1(0)"}));
}

TEST(FrontEnd, AMissingOrMistypedBoundControlIsAClearError) {
  struct Fault {
    const char* name;
    std::int16_t index;
    bool keep_as_label;  // else removed
    const char* message;
  };
  const Fault faults[] = {
      {"Text2", 0, false, "The window has no control Text2(0)"},
      {"Label1", 0, false, "The window has no control Label1(0)"},
      {"Text2", 0, true, "The control Text2(0) is not a text box"},
  };
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.message);
    Layout layout = Program();
    std::erase_if(layout.controls, [&](Control& c) {
      if (c.name != f.name || c.index != f.index) return false;
      c.kind = ControlKind::Label;
      return !f.keep_as_label;
    });
    try {
      BindPanel(layout);
      ADD_FAILURE() << "bound";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrorBadLayout);
      EXPECT_EQ(e.Description(), f.message);
    }
  }
  Layout no_buttons = Program();
  std::erase_if(no_buttons.controls, [](const Control& c) { return c.name == "Command1"; });
  EXPECT_THROW(BindPanel(no_buttons), RuntimeError);
  Layout twice = Program();
  twice.controls.push_back(*FindControl(twice, "Command1", 1));
  try {
    BindPanel(twice);
    ADD_FAILURE() << "bound";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Description(), "The window's layout has the control Command1(1) twice");
  }
}

TEST(FrontEnd, TabOrderSkipsLabelsAndTheHiddenSayingAndStartsAtTheStatement) {
  EXPECT_EQ(Ids(TabOrder(Program())),
            (std::vector<std::string>{"Text1(0)", "Command1(0)", "Command1(1)", "Text2(0)"}));
}

TEST(FrontEnd, LabelsLieBeneathTheBoxesAndButtons) {
  EXPECT_EQ(Ids(StackingOrder(Program())),
            (std::vector<std::string>{"Label1(0)", "Label1(1)", "Text1(0)", "Text1(1)",
                                      "Command1(0)", "Command1(1)", "Text2(0)"}));
}

TEST(FrontEnd, ATopFirstToolkitCreatesBoxesAndButtonsInTabOrderThenLabels) {
  EXPECT_EQ(Ids(TopDownOrder(Program())),
            (std::vector<std::string>{"Text1(0)", "Text1(1)", "Command1(0)", "Command1(1)",
                                      "Text2(0)", "Label1(0)", "Label1(1)"}));
}

struct ColourCase {
  const char* id;
  bool high_contrast;
  ControlColours colours;
};

// The layout's colours, or under a high-contrast theme the system's pairs
// alone, whatever the layout stores.
TEST(FrontEnd, ColoursAreTheLayoutsOrUnderHighContrastTheSystems) {
  using enum SystemColour;
  const ColourCase table[] = {
      {"Label1(0)", false, {Colour{0x0080C0FF}, FaceText, false}},
      {"Label1(0)", true, {Face, FaceText, false}},
      {"Command1(1)", false, {Colour{0x00FF8080}, FaceText, true}},
      {"Command1(1)", true, {Face, FaceText, false}},
      {"Text2(0)", false, {Window, WindowText, false}},
      {"Text2(0)", true, {Window, WindowText, false}},
      {"Text1(0)", true, {Window, WindowText, false}},
  };
  for (const ColourCase& c : table) {
    SCOPED_TRACE(std::string(c.id) + (c.high_contrast ? ", high contrast" : ""));
    const Control* control = nullptr;
    for (const Control& each : Program().controls)
      if (ControlId(each.name, each.index) == c.id) control = &each;
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ColoursOf(*control, c.high_contrast), c.colours);
  }
  // A box and a button of their own colour, a button not drawn in it.
  Control box = *FindControl(Program(), "Text2", 0);
  box.back_colour = 0x00123456;
  EXPECT_EQ(ColoursOf(box, false), (ControlColours{Colour{0x00123456}, WindowText, false}));
  EXPECT_EQ(ColoursOf(box, true), (ControlColours{Window, WindowText, false}));
  Control plain = *FindControl(Program(), "Command1", 0);
  plain.own_colour = false;
  EXPECT_FALSE(ColoursOf(plain, false).own_colour_button);
  EXPECT_EQ(WindowBackOf(Program(), false), ColourChoice{Colour{0x00FFC0C0}});
  EXPECT_EQ(WindowBackOf(Program(), true), ColourChoice{Face});
}

TEST(FrontEnd, TwipsToPixels) {
  struct Case { std::int32_t twips; double dpi; int pixels; };
  const Case table[] = {{1320, 96, 88}, {375, 96, 25}, {8040, 96, 536}, {3870, 96, 258},
                        {8040, 144, 804}, {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}, {1335, 120, 111}};
  for (const Case& c : table)
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  EXPECT_EQ(ToPixels(FindControl(Program(), "Text2", 0)->bounds, 96), (PixelRect{88, 64, 89, 27}));
}

TEST(FrontEnd, DecodedSettings) {
  const ControlLook statement = LookOf(*FindControl(Program(), "Text1", 0));
  EXPECT_TRUE(statement.multi_line && statement.read_only && statement.vertical_scroll_bar);
  EXPECT_TRUE(statement.wraps && !statement.horizontal_scroll_bar && statement.takes_focus);
  EXPECT_FALSE(LookOf(*FindControl(Program(), "Text1", 1)).visible);

  const ControlLook field = LookOf(*FindControl(Program(), "Text2", 0));
  EXPECT_FALSE(field.multi_line || field.read_only || field.vertical_scroll_bar);
  EXPECT_EQ(field.alignment, Alignment::Centre);

  const ControlLook increase = LookOf(*FindControl(Program(), "Command1", 0));
  EXPECT_TRUE(increase.own_colour_button);
  EXPECT_EQ(increase.back_colour, Colour{0x00FFFF80});
  EXPECT_FALSE(LookOf(*FindControl(Program(), "Label1", 0)).takes_focus);
  // Enter presses a focused button, and nothing else.
  EXPECT_TRUE(increase.enter_presses);
  EXPECT_FALSE(field.enter_presses || statement.enter_presses);

  const FontLook font = FontLookOf(Program().font);
  EXPECT_EQ(font.family, "Times New Roman");
  EXPECT_EQ(font.points, 12.0);
  EXPECT_EQ(font.PixelHeight(96), 16);
  EXPECT_EQ(font.PixelHeight(144), 24);
  EXPECT_EQ(font.weight, 400);
  EXPECT_EQ(font.charset, 204);
  EXPECT_FALSE(font.italic || font.underline || font.strike_out);
}

struct EdgeCase {
  const char* name;
  Colour face;
  bool held;
  ButtonEdge edge;  // outer top-left, inner top-left, inner bottom-right, outer bottom-right
};

// The coloured buttons' edge, as every front end draws it: shades of the
// face, lit top-left while raised, the sides traded while held.
TEST(FrontEnd, ButtonEdgeShadesTheFace) {
  const EdgeCase table[] = {
      {"increase, raised", 0x00FFFF80, false, {0x00FFFFDF, 0x00FFFFA0, 0x00808040, 0x00404020}},
      {"increase, held", 0x00FFFF80, true, {0x00404020, 0x00808040, 0x00FFFFA0, 0x00FFFFDF}},
      {"decrease, raised", 0x00FF8080, false, {0x00FFDFDF, 0x00FFA0A0, 0x00804040, 0x00402020}},
      {"black", 0x00000000, false, {0x00BFBFBF, 0x00404040, 0x00000000, 0x00000000}},
      {"white", 0x00FFFFFF, false, {0x00FFFFFF, 0x00FFFFFF, 0x00808080, 0x00404040}},
  };
  for (const EdgeCase& c : table) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ButtonEdgeOf(c.face, c.held), c.edge);
  }
}

TEST(FrontEnd, NumberCaptionNamesTheField) {
  const Control* caption = CaptionOf(Program(), *FindControl(Program(), "Text2", 0));
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text, "Число");
  EXPECT_EQ(CaptionOf(Program(), *FindControl(Program(), "Text1", 0)), nullptr);
}

TEST(FrontEnd, EveryShownControlHasANameForAssistiveTechnology) {
  const std::pair<const char*, const char*> names[] = {
      {"Text2(0)", "Число"},
      {"Label1(1)", "Число"},
      {"Label1(0)", "Естествено число - сума и разлика от цифри"},
      {"Command1(0)", "Увеличава със сбор"},
      {"Command1(1)", "Намалява със сбор"},
      {"Text1(0)", "Условие на задачата"},
      {"Text1(1)", ""},  // hidden: not exposed
  };
  ASSERT_EQ(Program().controls.size(), std::size(names));
  for (const auto& [id, name] : names) {
    const Control* control = nullptr;
    for (const Control& c : Program().controls)
      if (ControlId(c.name, c.index) == id) control = &c;
    ASSERT_NE(control, nullptr) << id;
    EXPECT_EQ(AccessibleNameOf(Program(), *control), name) << id;
  }
}

TEST(FrontEnd, ErrorText) {
  EXPECT_EQ(ErrorText(RuntimeError(6, "Overflow")), "Run-time error 6:\n\nOverflow");
}

TEST(IconImage, TheProgramsIconDecodesToThirtyTwoSquarePixels) {
  const auto pixels = DecodeIcon(Program().icon);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->width, 32);
  EXPECT_EQ(pixels->height, 32);
  ASSERT_EQ(pixels->argb.size(), 32u * 32u);
  int opaque = 0;
  for (std::uint32_t p : pixels->argb) opaque += (p >> 24) == 0xFF;
  EXPECT_GT(opaque, 32 * 32 / 2);
  EXPECT_EQ(FirstIconImage(Program().icon).size(), 2224u);
}

TEST(IconImage, DamagedFilesGiveNoImageAndReadNothingOutside) {
  const std::vector<std::uint8_t>& good = Program().icon;
  auto damaged = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> file = good;
    file[at] = value;
    return file;
  };
  EXPECT_FALSE(DecodeIcon(std::vector<std::uint8_t>(good.begin(), good.begin() + 30)));
  EXPECT_FALSE(DecodeIcon(damaged(6 + 12, 0xFF)));   // image offset past the end
  EXPECT_FALSE(DecodeIcon(damaged(6 + 11, 0x7F)));   // image length past the end
  EXPECT_FALSE(DecodeIcon(damaged(22 + 14, 7)));     // 7 bits per pixel
  EXPECT_FALSE(DecodeIcon(damaged(22 + 5, 0x10)));   // 4096 pixels wide
  EXPECT_FALSE(DecodeIcon(damaged(4, 0)));           // no image in the directory
  EXPECT_TRUE(FirstIconImage(damaged(6 + 12, 0xFF)).empty());
}

}  // namespace
}  // namespace velmora
