#pragma once
// What a screen reader learns of the window beyond what the system's own
// accessible objects tell it. The system names a text box after the static
// text just before it in the z-order; the labels lie beneath every box (so
// that they never paint over a border), so a box is named here instead: the
// window answers WM_GETOBJECT with the system's own object for the box,
// which keeps its role, value and states, under the name the box is given.
// The top line is marked as a polite live region, so that a reader speaks
// its new text after a press where the system knows live regions.
//
// Everything here is looked up at run time from the system folder's
// oleacc.dll, ole32.dll and oleaut32.dll, and only once a reader asks or
// the top line changes while a screen reader runs: nothing is loaded at
// start-up or on a press without one, and on a system without a service
// the window behaves as if this were not here.

#include <windows.h>
#include <oleacc.h>

#include <string>

#include "window/layout.h"

namespace velmora::win32 {

// A child window that answers a screen reader's WM_GETOBJECT itself: with
// the system's own object for it, so that value, states and position are
// the system's, under the role of its kind (text, push button, static text)
// and the name window/front_end.h gives it (AccessibleNameOf). A button or
// a label keeps the system's name, which is its current caption; a text box
// gets its caption label's or its own. Where the services are missing the
// window answers as it would without this. The subclass sits on top of any
// other (LineEdit): the object must go before that one does.
class AccessibleControl {
 public:
  AccessibleControl(HWND window, const Layout& layout, const Control& control);
  ~AccessibleControl();  // gives the window back the procedure it had
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) noexcept;

  HWND window_;
  WNDPROC own_proc_ = nullptr;
  LONG role_;
  std::wstring name_;  // "" keeps the system's
};

// A label whose changes a screen reader speaks: Changed() after each new
// text tells the system so (EVENT_OBJECT_LIVEREGIONCHANGED, which Windows 8
// and later pass on for a window whose live setting is "polite"). The live
// setting is given at the first change made while the system says a screen
// reader runs (SPI_GETSCREENREADER). Where the system has no live
// regions, the name-change event that every new text raises is all a
// reader gets.
class LiveRegion {
 public:
  explicit LiveRegion(HWND label) noexcept : label_(label) {}
  ~LiveRegion();
  LiveRegion(const LiveRegion&) = delete;
  LiveRegion& operator=(const LiveRegion&) = delete;

  void Changed() noexcept;

 private:
  HWND label_;
  bool marked_ = false;
  IAccPropServices* properties_ = nullptr;  // holds the live setting
};

}  // namespace velmora::win32
