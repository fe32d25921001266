#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "numbers/runtime_error.h"
#include "panel/number_panel.h"

namespace velmora {
namespace {

constexpr std::int16_t kIncrease = NumberPanel::kIncrease;
constexpr std::int16_t kDecrease = NumberPanel::kDecrease;

std::string Title(int sum) { return "Сума от цифри: " + std::to_string(sum); }

struct Press {
  const char* before;
  std::int16_t button;
  char separator;
  const char* after;
  int title_sum;
};

// How GoogleTest shows a case (in failures and in the test list).
void PrintTo(const Press& p, std::ostream* out) {
  *out << '"' << p.before << "\" " << (p.button == kIncrease ? "+" : "-") << " sep '"
       << p.separator << "' -> \"" << p.after << "\", sum " << p.title_sum;
}

class OnePress : public ::testing::TestWithParam<Press> {};

TEST_P(OnePress, ShowsTheNewNumberAndItsDigitSum) {
  const Press& p = GetParam();
  NumberPanel panel(static_cast<unsigned char>(p.separator));
  panel.Load(p.before);
  panel.OnCommand(p.button);
  EXPECT_EQ(panel.FieldText(), p.after);
  EXPECT_EQ(panel.TopLine(), Title(p.title_sum));
}

// A stable, readable name for each case: the button, the field text spelt
// out in letters, digits and underscores, and the separator when it is a
// comma: "Increase_112", "Decrease_minus999", "Increase_1point5_comma".
std::string PressName(const ::testing::TestParamInfo<Press>& info) {
  const Press& p = info.param;
  std::string name = p.button == kIncrease ? "Increase_" : "Decrease_";
  const std::string_view text = p.before;
  if (text.empty()) name += "empty";
  for (char c : text) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      name += c;
    } else if (c == '-') {
      name += "minus";
    } else if (c == '.') {
      name += "point";
    } else if (c == '&') {
      name += "amp";
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      name += 'x';
      name += kHex[byte >> 4];
      name += kHex[byte & 0xF];
    }
  }
  if (p.separator == ',') name += "_comma";
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Presses, OnePress,
    ::testing::Values(
        Press{"112", kIncrease, '.', "116", 8},  Press{"112", kDecrease, '.', "108", 9},
        Press{"9999", kIncrease, '.', "1003", 4},  // 10035 cut to 4 characters
        Press{"-999", kDecrease, '.', "-102", 3},  // -1026 cut
        Press{"", kIncrease, '.', "0", 0},       Press{"", kDecrease, '.', "0", 0},
        Press{"9", kDecrease, '.', "0", 0},      Press{"-12", kIncrease, '.', "-9", 9},
        Press{"-12", kDecrease, '.', "-15", 6},  Press{"abc", kIncrease, '.', "0", 0},
        Press{"12ab", kIncrease, '.', "15", 6},  Press{"&HFF", kIncrease, '.', "255", 12},
        Press{"1e3", kDecrease, '.', "996", 24}, Press{"9e99", kIncrease, '.', "9E+9", 18},
        Press{"1.5", kIncrease, '.', "7.5", 12}, Press{"1.5", kIncrease, ',', "7,5", 12},
        Press{".1", kDecrease, '.', "-0.9", 9},  Press{"-0", kDecrease, '.', "0", 0},
        Press{"Чи", kIncrease, '.', "0", 0},     Press{"0.01", kDecrease, '.', "-0.9", 9},
        Press{"-.01", kDecrease, '.', "-1.0", 1},
        Press{"-inf", kIncrease, '.', "0", 0}),  // a word, not a number
    PressName);

TEST(NumberPanel, TwoPressesFromOnePointFiveDependOnTheSeparator) {
  NumberPanel point('.'), comma(',');
  for (NumberPanel* panel : {&point, &comma}) {
    panel->Load("1.5");
    panel->OnCommand(kIncrease);
    panel->OnCommand(kIncrease);
  }
  EXPECT_EQ(point.FieldText(), "19.5");  // 7.5 + 12
  EXPECT_EQ(point.TopLine(), Title(15));
  EXPECT_EQ(comma.FieldText(), "19");    // "7,5" reads as 7; 7 + 12
  EXPECT_EQ(comma.TopLine(), Title(10));
}

// A press writes the separator exactly when the two separators would leave
// different fields: the page asks for the user's separator only then.
TEST(NumberPanel, APressWritesTheSeparatorOnlyWhereTheSeparatorsFieldsDiffer) {
  const std::string nines(4000, '9');  // a layout's text whose sum overflows
  for (const std::string& text : {std::string("1.5"), std::string("112"), std::string(".1"),
                                  std::string("99.5"), std::string("1e-5"), std::string("9e99"),
                                  std::string("-.01"), std::string("9999.5"), nines}) {
    for (const std::int16_t button : {kIncrease, kDecrease}) {
      NumberPanel point('.'), comma(',');
      point.Load(text);
      comma.Load(text);
      const bool writes = point.PressWritesSeparator(button);
      EXPECT_EQ(comma.PressWritesSeparator(button), writes) << text;
      std::string fields[2];
      for (NumberPanel* panel : {&point, &comma}) {
        try {
          panel->OnCommand(button);
          fields[panel == &comma] = panel->FieldText();
        } catch (const RuntimeError& e) {
          fields[panel == &comma] = "error " + std::to_string(e.Number());
        }
      }
      EXPECT_EQ(fields[0] != fields[1], writes) << text << " " << button;
    }
  }
}

struct Typed {
  const char* typed;
  const char* field;
};

TEST(NumberPanel, AStartIsPastedOverTheLoadedField) {
  for (const Typed t : {Typed{"116", "116"}, Typed{"12345", "1234"}, Typed{"1\n2", "1"},
                        Typed{"", ""}, Typed{"Числото", "Числ"}, Typed{"\r\n5", ""}}) {
    NumberPanel panel;
    panel.StartWith(t.typed);
    EXPECT_EQ(panel.FieldText(), t.field) << t.typed;
    EXPECT_EQ(panel.FieldLimit(), 4u);
    EXPECT_EQ(panel.TopLine(), NumberPanel::kInitialTopLine);
  }
}

TEST(NumberPanel, StartsWithTheLayoutsTexts) {
  const NumberPanel panel;
  EXPECT_EQ(panel.FieldText(), "112");
  EXPECT_EQ(panel.TopLine(), "Естествено число - сума и разлика от цифри");
  EXPECT_EQ(panel.FieldLimit(), 0u);
  EXPECT_EQ(panel.FieldAlignment(), Alignment::Centre);
}

TEST(NumberPanel, LoadLimitsTheFieldToFourCharacters) {
  NumberPanel panel;
  panel.Load("123456");
  EXPECT_EQ(panel.FieldText(), "123456");  // the layout's text is not cut
  EXPECT_EQ(panel.FieldLimit(), 4u);
  EXPECT_EQ(panel.FieldAlignment(), Alignment::Centre);
  EXPECT_EQ(panel.Insert(Selection::All(), "123456").caret, 4u);
  EXPECT_EQ(panel.FieldText(), "1234");
  panel.Insert(Selection::All(), "Числото");
  EXPECT_EQ(panel.FieldText(), "Числ");
  EXPECT_EQ(panel.Settle("Число", 5).caret, 4u);
  EXPECT_EQ(panel.FieldText(), "Числ");
}

TEST(NumberPanel, AnotherButtonIndexIsAnErrorAndChangesNothing) {
  NumberPanel panel;
  panel.OnLoad();
  for (std::int16_t index : {std::int16_t{2}, std::int16_t{-1}, std::int16_t{32767}}) {
    try {
      panel.OnCommand(index);
      ADD_FAILURE() << "no error for index " << index;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), 5);
      EXPECT_NE(e.Description().find(std::to_string(index)), std::string::npos);
    }
  }
  EXPECT_EQ(panel.FieldText(), "112");
  EXPECT_EQ(panel.TopLine(), "Естествено число - сума и разлика от цифри");
}

TEST(NumberPanel, WithoutLoadTheProgramsWriteIsNotCut) {
  NumberPanel panel;
  panel.Insert(Selection::All(), "9999");
  panel.OnCommand(kIncrease);
  EXPECT_EQ(panel.FieldText(), "10035");
}

// A separator learnt once the window is open (as the web page learns it)
// changes what later presses write, and nothing that the panel shows.
TEST(NumberPanel, ASeparatorLearntLaterIsWrittenByTheNextPress) {
  NumberPanel panel;
  panel.Load("1.5");
  panel.OnCommand(kIncrease);
  ASSERT_EQ(panel.FieldText(), "7.5");
  panel.SetRegionalSeparator(U',');
  EXPECT_EQ(panel.FieldText(), "7.5");
  EXPECT_EQ(panel.TopLine(), Title(12));
  EXPECT_EQ(panel.FieldLimit(), 4u);
  panel.OnCommand(kIncrease);
  EXPECT_EQ(panel.FieldText(), "19,5");  // 7.5 + 12
  panel.SetRegionalSeparator(U'\u066B');
  EXPECT_EQ(panel.DecimalSeparator(), '.');
}

TEST(NumberPanel, AnyOtherRegionalSeparatorWritesAPoint) {
  for (const char32_t regional : {U';', U'\u066B', U'\0', U'.'})
    EXPECT_EQ(NumberPanel(regional).DecimalSeparator(), '.') << static_cast<unsigned>(regional);
  EXPECT_EQ(NumberPanel(U',').DecimalSeparator(), ',');
}

}  // namespace
}  // namespace velmora
