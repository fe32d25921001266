// One subclass per window: its filters see each message first, and what
// none answers reaches the window's own procedure, even after the object
// has gone under another program's procedure.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "numbers/runtime_error.h"
#include "window/win32/subclass.h"

namespace velmora::win32::test {
namespace {

// Writes its letter down for each EM_GETLIMITTEXT, and answers it with
// `answer` if it has one.
class Limit final : public MessageFilter {
 public:
  Limit(std::string& seen, char letter, std::optional<LRESULT> answer = std::nullopt)
      : seen_(seen), letter_(letter), answer_(answer) {}
  std::optional<LRESULT> Filter(UINT message, WPARAM, LPARAM) override {
    if (message != EM_GETLIMITTEXT) return std::nullopt;
    seen_ += letter_;
    return answer_;
  }

 private:
  std::string& seen_;
  char letter_;
  std::optional<LRESULT> answer_;
};

struct Edit {
  Edit() : window(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr)) {
    SendMessageW(window, EM_LIMITTEXT, 7, 0);  // the EDIT's own answer to EM_GETLIMITTEXT
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
  std::string seen;
  {
    Subclass subclass(edit.window, failure);
    subclass.Add<Limit>(seen, 'a');
    subclass.Add<Limit>(seen, 'b');
    EXPECT_EQ(edit.Limit(), 7);  // neither answers: the EDIT does
    subclass.Add<Limit>(seen, 'c', 3);
    EXPECT_EQ(edit.Limit(), 3);
    EXPECT_EQ(seen, "ababc");
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
  std::string seen;
  auto subclass = std::make_unique<Subclass>(edit.window, failure);
  subclass->Add<Limit>(seen, 'a', 3);
  g_under = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Other)));
  EXPECT_EQ(edit.Limit(), 3);
  subclass.reset();
  EXPECT_EQ(edit.Proc(), reinterpret_cast<LONG_PTR>(Other));  // left in place
  EXPECT_EQ(edit.Limit(), 7);  // the EDIT's answer, not the default procedure's 0
}

}  // namespace
}  // namespace velmora::win32::test
