#pragma once
// What a screen reader learns of the window beyond what the system's own
// accessible objects tell it.
//
// Names and roles. The system names a text box after the static text just
// before it in the z-order; the labels lie beneath every box (so that they
// never paint over a border), so a box is named here instead; and not every
// system gives a label or an owner-drawn button its role. A control answers
// WM_GETOBJECT with the system's own object for it behind one of its own
// that gives the name and role (the system's annotation service, which
// could set them on the system's object, is missing where the tests run).
//
// The top line is a polite live region, so that a reader speaks its new
// text after a press where the system knows live regions. It keeps the
// system's own object: its name and role are the system's already, and the
// live setting is read from there. No UI Automation notification is raised
// besides: the systems that have one (Windows 10 1709 on) speak the live
// region already, and a reader would say the digit sum twice.
//
// Everything here is looked up at run time from the system folder's
// oleacc.dll, ole32.dll and oleaut32.dll, and only once a reader asks or
// the top line changes while a screen reader runs: nothing is loaded at
// start-up or on a press without one, and on a system without a service
// the window behaves as if this were not here.

#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>

#include "window/layout.h"
#include "window/win32/subclass.h"

// The build targets Windows XP, whose headers lack the live-region event:
// later systems pass it on, earlier ones ignore it.
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019  // Windows 8 on
#endif

namespace velmora::win32 {

// Whether a screen reader is about: once one has asked the window for an
// accessible object (WM_GETOBJECT), or while the system says one runs
// (SPI_GETSCREENREADER, which not every reader sets: the one that comes
// with Windows does not).
class ScreenReaderPresence {
 public:
  void Asked() noexcept { asked_ = true; }
  bool Present() const noexcept;

 private:
  bool asked_ = false;
};

// A control's answer to a screen reader's WM_GETOBJECT: the system's own
// object for it, so that value, states and position are the system's,
// under the role of its kind (text, push button, static text) and the name
// window/front_end.h gives it (AccessibleNameOf). A button or a label keeps
// the system's name, which is its current caption; a text box gets its
// caption label's or its own. Where the services are missing the control
// answers as it would without this. A filter of the control's Subclass.
class AccessibleControl final : public MessageFilter {
 public:
  AccessibleControl(HWND window, const Layout& layout, const Control& control,
                    ScreenReaderPresence& presence);
  std::optional<LRESULT> Filter(UINT message, WPARAM w, LPARAM l) override;

 private:
  HWND window_;
  LONG role_;
  std::wstring name_;  // "" keeps the system's
  ScreenReaderPresence& presence_;
};

// A label whose changes a screen reader speaks: Changed() after each new
// text tells the system so (EVENT_OBJECT_LIVEREGIONCHANGED: Windows 8 and
// later pass it on to readers for a window whose live setting is
// "polite"; some readers speak the label's name on it wherever they run).
// The live setting is given at the first change made while a screen reader
// is about, through the system's annotation service.
class LiveRegion {
 public:
  enum class Mark {
    kNone,         // no change yet while a screen reader was about
    kPolite,       // the label carries the live setting "polite"
    kUnsupported,  // the system has no annotation service for it
  };

  LiveRegion(HWND label, const ScreenReaderPresence& presence) noexcept
      : label_(label), presence_(presence) {}
  ~LiveRegion();
  LiveRegion(const LiveRegion&) = delete;
  LiveRegion& operator=(const LiveRegion&) = delete;

  void Changed() noexcept;
  Mark Marked() const noexcept { return mark_; }
  HWND Label() const noexcept { return label_; }

 private:
  HWND label_;
  const ScreenReaderPresence& presence_;
  Mark mark_ = Mark::kNone;
  IAccPropServices* properties_ = nullptr;  // holds the live setting
};

}  // namespace velmora::win32
