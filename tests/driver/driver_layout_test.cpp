// velmora-driver's record and layout ops as a process, fed the record and
// every truncation and single-byte change of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/driver/run_driver.h"
#include "window/bytes.h"
#include "window/embedded_record.h"

namespace {

using Json = nlohmann::json;
using velmora::LowerHex;

// The driver's answers, each read as JSON.
std::vector<Json> RunDriver(const std::vector<std::string>& requests) {
  std::vector<Json> answers;
  for (const std::string& line : velmora::test::RunDriver(requests))
    answers.push_back(Json::parse(line, nullptr, false));
  return answers;
}

std::string LayoutRequest(const std::string& hex) { return R"({"op":"layout","hex":")" + hex + "\"}"; }

TEST(DriverLayout, RecordAndLayout) {
  const std::string record = LowerHex(velmora::EmbeddedRecord());
  const auto answers = RunDriver({R"({"op":"record"})", R"({"op":"layout"})", LayoutRequest(record),
                                  R"({"op":"layout","hex":"ffc"})", R"({"op":"layout","hex":7})",
                                  R"({"op":"layout","hex":"ffcc"})"});
  ASSERT_EQ(answers.size(), 6u);
  EXPECT_EQ(answers[0], (Json{{"hex", record}}));
  const Json& layout = answers[1];
  EXPECT_EQ(answers[2], layout);
  EXPECT_EQ(layout["name"], "Velmora");
  EXPECT_EQ(layout["back_colour"], "&H00FFC0C0&");
  EXPECT_EQ(layout["icon"].get<std::string>().size(), 2 * 2246u);
  EXPECT_EQ(layout["client"], (Json{{"left", 45}, {"top", 435}, {"width", 8040}, {"height", 3870}}));
  ASSERT_EQ(layout["controls"].size(), 7u);
  const Json field = {{"name", "Text2"}, {"index", 0}, {"number", 1}, {"kind", "text"},
                      {"text", "112"}, {"left", 1320}, {"top", 960}, {"width", 1335},
                      {"height", 405}, {"tab_index", 6}, {"alignment", "center"}};
  EXPECT_EQ(layout["controls"][0], field);
  EXPECT_EQ(layout["controls"][3]["visible"], false);
  EXPECT_EQ(layout["controls"][4]["scroll_bars"], "vertical");
  EXPECT_EQ(layout["controls"][6]["text"], "Естествено число - сума и разлика от цифри");
  for (std::size_t i = 3; i < 5; ++i) EXPECT_TRUE(answers[i].contains("error")) << answers[i];
  EXPECT_EQ(answers[5], (Json{{"error", "offset 2: expected signature byte 31, found the end of the record"}}));
}

// The page's description names kinds and alignments as the layout does.
TEST(DriverLayout, PageDescribesTheWindowInTheLayoutsNames) {
  const auto answers = RunDriver({R"({"op":"layout"})", R"({"op":"page"})"});
  ASSERT_EQ(answers.size(), 2u);
  const Json& layout = answers[0];
  const Json& page = answers[1];
  EXPECT_EQ(page["background"], "#c0c0ff");
  ASSERT_EQ(page["controls"].size(), layout["controls"].size());
  for (const Json& stored : layout["controls"]) {
    const std::string id = stored["name"].get<std::string>() + "(" + std::to_string(stored["index"].get<int>()) + ")";
    Json shown;
    for (const Json& c : page["controls"])
      if (c["id"] == id) shown = c;
    ASSERT_FALSE(shown.is_null()) << id;
    EXPECT_EQ(shown["kind"], stored["kind"]) << id;
    if (stored.contains("alignment")) {
      EXPECT_EQ(shown["align"], stored["alignment"]) << id;
    }
  }
  EXPECT_EQ(page["panel"]["topLine"], layout["controls"][6]["text"]);
}

TEST(DriverLayout, AnswersEveryDamagedRecord) {
  const auto record = velmora::EmbeddedRecord();
  std::vector<std::uint8_t> bytes(record.begin(), record.end());
  std::vector<std::string> requests;
  for (std::size_t n = 0; n < bytes.size(); ++n) requests.push_back(LayoutRequest(LowerHex(record.first(n))));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] ^= 0xA5;
    requests.push_back(LayoutRequest(LowerHex(bytes)));
    bytes[i] ^= 0xA5;
  }
  const auto answers = RunDriver(requests);
  ASSERT_EQ(answers.size(), requests.size());
  for (std::size_t i = 0; i < answers.size(); ++i) {
    const Json& a = answers[i];
    const bool truncated = i < bytes.size();
    if (truncated || !a.contains("controls")) {
      ASSERT_TRUE(a.contains("error") && a["error"].get<std::string>().rfind("offset ", 0) == 0) << i << ": " << a;
    }
  }
}

}  // namespace
