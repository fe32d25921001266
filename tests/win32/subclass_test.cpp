// One subclass per window: its filters see each message first, and what
// none answers reaches the window's own procedure, even after the object
// has gone under another program's procedure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numbers/runtime_error.h"
#include "window/win32/subclass.h"

namespace velmora::win32::test {
namespace {

// Answers `answered` with `answer` and writes down every message it sees.
class Recorder final : public MessageFilter {
 public:
  Recorder(UINT answered, LRESULT answer, std::vector<std::string>& seen, std::string name)
      : answered_(answered), answer_(answer), seen_(seen), name_(std::move(name)) {}
  std::optional<LRESULT> Filter(UINT message, WPARAM, LPARAM) override {
    if (message == EM_GETLIMITTEXT) seen_.push_back(name_);
    if (message != answered_) return std::nullopt;
    return answer_;
  }

 private:
  UINT answered_;
  LRESULT answer_;
  std::vector<std::string>& seen_;
  std::string name_;
};

struct Edit {
  Edit() : window(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr)) {
    SendMessageW(window, EM_LIMITTEXT, 7, 0);  // the edit's own answer to EM_GETLIMITTEXT
  }
  ~Edit() { DestroyWindow(window); }
  LRESULT Limit() const { return SendMessageW(window, EM_GETLIMITTEXT, 0, 0); }
  LONG_PTR Proc() const { return GetWindowLongPtrW(window, GWLP_WNDPROC); }
  HWND window;
};

TEST(SubclassTest, FiltersGoInTheirOrderAndTheRestReachesTheWindowsOwnProcedure) {
  Edit edit;
  const LONG_PTR own = edit.Proc();
  HandlerFailure failure;
  std::vector<std::string> seen;
  {
    Subclass subclass(edit.window, failure);
    subclass.Add<Recorder>(WM_NULL, 0, seen, "first");
    subclass.Add<Recorder>(WM_NULL, 0, seen, "second");
    EXPECT_EQ(edit.Limit(), 7);  // neither answers: the EDIT does
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
    subclass.Add<Recorder>(EM_GETLIMITTEXT, 3, seen, "third");
    EXPECT_EQ(edit.Limit(), 3);
    EXPECT_THROW(Subclass(edit.window, failure), RuntimeError);  // one per window
  }
  EXPECT_EQ(edit.Proc(), own);
  EXPECT_EQ(edit.Limit(), 7);
}

// The procedure of another program, put in front of the subclass's.
WNDPROC g_under = nullptr;
LRESULT CALLBACK Other(HWND window, UINT message, WPARAM w, LPARAM l) {
  return CallWindowProcW(g_under, window, message, w, l);
}

TEST(SubclassTest, UnderAnotherProcedureItStaysAndPassesMessagesToTheWindowsOwn) {
  Edit edit;
  HandlerFailure failure;
  std::vector<std::string> seen;
  auto subclass = std::make_unique<Subclass>(edit.window, failure);
  subclass->Add<Recorder>(EM_GETLIMITTEXT, 3, seen, "answers");
  g_under = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Other)));
  EXPECT_EQ(edit.Limit(), 3);
  subclass.reset();
  EXPECT_EQ(edit.Proc(), reinterpret_cast<LONG_PTR>(Other));  // left in place
  EXPECT_EQ(edit.Limit(), 7);  // the EDIT's answer, not the default procedure's 0
}

}  // namespace
}  // namespace velmora::win32::test
