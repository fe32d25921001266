#pragma once
// The program's one kind of run-time error: a number and its description.
// Whatever fails at run time (a numeric overflow, a bad argument, a stored
// layout that cannot be read) is reported as a RuntimeError, and the front
// end shows its number and description in a message box and ends.

#include <exception>
#include <string>
#include <utility>

namespace velmora {

class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, std::string description)
      : number_(number), description_(std::move(description)) {}

  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int number_;
  std::string description_;
};

// The error numbers the program raises.
inline constexpr int kErrorInvalidArgument = 5;
inline constexpr int kErrorOverflow = 6;
inline constexpr int kErrorOutOfMemory = 7;
inline constexpr int kErrorInternal = 51;
inline constexpr int kErrorBadLayout = 100;  // the stored layout cannot be read

// The run-time error that a failure stands for, as the front ends report it:
// a RuntimeError as it is, memory exhaustion as error 7 "Out of memory",
// anything else as error 51 "Internal error".
RuntimeError AsRuntimeError(std::exception_ptr failure);

}  // namespace velmora
