#pragma once
// velmora-driver (VELMORA_DRIVER) run as a process: the request lines go
// into a file of the running test's own, since ctest runs the tests side
// by side, and the driver's answer lines come back, one per request. The
// file is removed once the driver has read it.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace velmora::test {

inline std::vector<std::string> RunDriver(const std::vector<std::string>& requests) {
  const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
  const std::string input = ::testing::TempDir() + "driver-" + test.test_suite_name() + "-" +
                            test.name() + ".jsonl";
  {
    std::ofstream out(input, std::ios::binary);
    for (const std::string& line : requests) out << line << '\n';
  }
  const std::string command = std::string("'") + VELMORA_DRIVER + "' < '" + input + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    std::remove(input.c_str());
    return {};
  }
  std::vector<std::string> answers;
  std::string line;
  for (int c; (c = std::fgetc(pipe)) != EOF;) {
    if (c == '\n') {
      answers.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  EXPECT_EQ(pclose(pipe), 0);
  std::remove(input.c_str());
  return answers;
}

}  // namespace velmora::test
