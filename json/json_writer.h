#pragma once
// A small JSON writer: objects, arrays, strings, whole numbers and truth
// values written in order into one string, each comma placed by position
// (a value that is not the first in its object or array gets one). It is
// what the web modules and velmora-explore write their answers with; it
// reads nothing.
//
//   JsonWriter w;
//   w.BeginObject().Key("field").String("116").Key("limit").Number(4).EndObject();
//   w.Text() -> {"field":"116","limit":4}
//
//   JsonWriter a;
//   a.BeginArray().String("#ffffff").String("#ffffff").EndArray();
//   a.Text() -> ["#ffffff","#ffffff"]

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// `text` as a JSON string literal, quotes included. Quotes, backslashes and
// control characters are escaped (as \u00xx); a byte that does not start a
// well-formed UTF-8 character becomes U+FFFD; everything else is kept.
//   "Число"      -> "\"Число\""
//   "a\"b\\c"    -> "\"a\\\"b\\\\c\""
//   "1\n"        -> "\"1\\u000a\""
//   "\xFF"       -> "\"\xEF\xBF\xBD\""
std::string JsonString(std::string_view text);

class JsonWriter {
 public:
  JsonWriter& BeginObject() { return Open('{'); }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray() { return Open('['); }
  JsonWriter& EndArray() { return Close(']'); }

  // The next member's name, in an object; its value follows.
  JsonWriter& Key(std::string_view key);

  JsonWriter& String(std::string_view text);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  // A value that is JSON text already (another writer's Text()).
  JsonWriter& Raw(std::string_view json);

  // What has been written; whole once every object and array is closed.
  const std::string& Text() const noexcept { return out_; }
  std::string Take() && { return std::move(out_); }

 private:
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);
  void BeforeValue();

  std::string out_;
  std::vector<bool> first_;  // per open object or array: nothing in it yet
  bool after_key_ = false;
};

}  // namespace velmora
