#pragma once
// GoogleTest on MinGW's win32 thread model, whose standard library has no
// std::mutex: the one class of GoogleTest that needs it, Notification, made
// with a Win32 event instead. Force-included into the GoogleTest build and
// the tests (with GTEST_HAS_NOTIFICATION_ set, GoogleTest takes this one).
#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
