// velmora-driver as a process: request lines in, one answer line each out.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/driver/run_driver.h"

namespace {

using velmora::test::RunDriver;

TEST(Driver, AnswersEachLineInOrder) {
  const std::vector<std::pair<std::string, std::string>> exchange = {
      {R"({"op":"press","text":"112","button":0})",
       R"({"field":"116","topLine":"Сума от цифри: 8"})"},
      {R"({"op":"press","text":"1.5","button":0,"sep":","})",
       R"({"field":"7,5","topLine":"Сума от цифри: 12"})"},
      {R"({"op":"press","text":"99999","button":0})",
       R"({"field":"1003","topLine":"Сума от цифри: 4"})"},
      {R"({"op":"read","text":"9e99"})", R"({"bits":"54b075823b6c498a","value":"9e+99"})"},
      {R"({"op":"read","text":"-0"})", R"({"bits":"8000000000000000","value":"-0"})"},
      {R"({"op":"write","bits":"401e000000000000","sep":","})", R"({"text":"7,5"})"},
      {R"({"op":"write","bits":"3ee4f8b588e368f1"})", R"({"text":"1E-05"})"},
      {R"({"op":"int16","bits":"4004000000000000"})", R"({"int16":2})"},
      {R"({"op":"int16","bits":"40e0000000000000"})",
       R"({"runtime_error":6,"description":"Overflow"})"},
      {R"({"op":"digitsum","text":"7,5"})", R"({"sum":12})"},
      // Malformed lines: each gets its error, and the next line is answered.
      {R"(not json)", R"({"error":"the line is not valid JSON"})"},
      {R"([1,2])", R"({"error":"a request must be a JSON object"})"},
      {R"({"op":"fly"})", R"({"error":"unknown op \"fly\""})"},
      {R"({"text":"1"})", R"({"error":"missing field \"op\""})"},
      {R"({"op":"read","text":5})", R"({"error":"field \"text\" must be a string"})"},
      {R"({"op":"press","text":"1","button":2})", R"({"error":"button must be 0 or 1"})"},
      {R"({"op":"press","text":"1","button":"0"})",
       R"({"error":"field \"button\" must be an integer"})"},
      {R"({"op":"write","bits":"12"})", R"({"error":"bits must be 16 hex digits"})"},
      {R"({"op":"write","bits":"401e000000000000","sep":";"})",
       R"({"error":"sep must be \".\" or \",\""})"},
      {"", R"({"error":"the line is not valid JSON"})"},
      {R"({"op":"digitsum","text":"9"})", R"({"sum":9})"},
  };
  std::vector<std::string> requests;
  for (const auto& [request, answer] : exchange) requests.push_back(request);
  const std::vector<std::string> answers = RunDriver(requests);
  ASSERT_EQ(answers.size(), exchange.size());
  for (std::size_t i = 0; i < exchange.size(); ++i)
    EXPECT_EQ(answers[i], exchange[i].second) << exchange[i].first;
}

}  // namespace
