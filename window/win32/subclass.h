#pragma once
// A window procedure put in front of a child window's own for as long as
// the object lives. Every message meets the filters in the order they were
// added; the first that answers it ends it, and a message that none answers
// reaches the window's own procedure, called as the system would call it
// (CallWindowProcW). A filter that throws closes the top-level window
// (HandlerFailure).
//
// A window has one Subclass, which owns its filters: every concern of a
// control (its keys, its insertions, what a screen reader hears) is a
// filter of the one subclass, so no filter can go while the window still
// calls it, and there is no order of removal to get wrong. The window gets
// its own procedure back when the object goes, or at its last message,
// WM_NCDESTROY, if that comes first. Should another procedure have been put
// in front of this one meanwhile (another program's), this one stays where
// it is and only passes messages on until the window goes.

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "window/win32/handler_failure.h"

namespace velmora::win32 {

// One concern's part in a window's messages.
class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // The answer to `message`, or nullopt to leave it to the next filter and
  // at last to the window's own procedure.
  virtual std::optional<LRESULT> Filter(UINT message, WPARAM w, LPARAM l) = 0;
};

class Subclass {
 public:
  // Subclasses `window`, which must have no Subclass yet (else
  // RuntimeError kErrorInternal).
  Subclass(HWND window, HandlerFailure& failure);
  ~Subclass();
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  // Adds a filter, made from `args`, behind those added before it.
  template <class Filter, class... Args>
  Filter& Add(Args&&... args) {
    auto filter = std::make_unique<Filter>(std::forward<Args>(args)...);
    Filter& added = *filter;
    filters_.push_back(std::move(filter));
    return added;
  }

  HWND Handle() const noexcept { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);

  HWND window_;
  WNDPROC own_proc_;
  HandlerFailure& failure_;
  std::vector<std::unique_ptr<MessageFilter>> filters_;
};

}  // namespace velmora::win32
