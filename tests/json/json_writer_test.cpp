#include <gtest/gtest.h>

#include "json/json_writer.h"

namespace velmora {
namespace {

TEST(JsonString, EscapesWhatJsonNeedsAndKeepsUtf8) {
  EXPECT_EQ(JsonString("Число"), "\"Число\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("1\r\n2\t\x01\x1f"), "\"1\\u000d\\u000a2\\u0009\\u0001\\u001f\"");
  EXPECT_EQ(JsonString(std::string_view("\0", 1)), "\"\\u0000\"");
  EXPECT_EQ(JsonString("\x7f"), "\"\x7f\"");
}

TEST(JsonString, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
  EXPECT_EQ(JsonString("\xFF"), "\"\xEF\xBF\xBD\"");
  EXPECT_EQ(JsonString("1\xD0"), "\"1\xEF\xBF\xBD\"");         // a lead byte at the end
  EXPECT_EQ(JsonString("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");  // overlong '/'
}

TEST(JsonWriter, PlacesCommasByPositionNotByValue) {
  JsonWriter w;
  w.BeginObject().Key("edge").BeginArray();
  for (int i = 0; i < 3; ++i) w.String("#ffffff");
  w.EndArray().Key("empty").BeginArray().EndArray().Key("inner").BeginObject().EndObject();
  w.Key("n").Number(-7).Key("t").Bool(true).Key("z").Null().Key("raw").Raw("[1]").EndObject();
  EXPECT_EQ(w.Text(),
            R"({"edge":["#ffffff","#ffffff","#ffffff"],"empty":[],"inner":{},"n":-7,)"
            R"("t":true,"z":null,"raw":[1]})");
}

TEST(JsonWriter, ArraysOfObjectsAndNumbers) {
  JsonWriter w;
  w.BeginArray().BeginObject().Key("first").Number(0).EndObject();
  w.BeginObject().Key("first").Number(1).EndObject().Number(9007199254740993).EndArray();
  EXPECT_EQ(std::move(w).Take(), R"([{"first":0},{"first":1},9007199254740993])");
}

}  // namespace
}  // namespace velmora
