#pragma once
// What a message handler threw. No exception may cross the system's frames:
// the first failure is kept for the message loop, and the window closes.

#include <windows.h>

#include <exception>

namespace velmora::win32 {

class HandlerFailure {
 public:
  // Runs `handler`; should it throw, keeps the failure, destroys `window`
  // (the top-level one) and answers 0.
  template <class Handler>
  LRESULT Run(HWND window, Handler&& handler) noexcept {
    try {
      return handler();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
      if (window && IsWindow(window)) DestroyWindow(window);
      return 0;
    }
  }

  std::exception_ptr Get() const noexcept { return failure_; }

 private:
  std::exception_ptr failure_;
};

}  // namespace velmora::win32
