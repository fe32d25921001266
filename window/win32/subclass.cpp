#include "window/win32/subclass.h"

#include "numbers/runtime_error.h"

namespace velmora::win32 {
namespace {

// The window's properties: the object, and the window's own procedure,
// which stays findable should the object go before the procedure can.
constexpr wchar_t kObject[] = L"Velmora.Subclass";
constexpr wchar_t kOwnProc[] = L"Velmora.Subclass.OwnProc";

WNDPROC OwnProc(HWND window) noexcept {
  return reinterpret_cast<WNDPROC>(reinterpret_cast<INT_PTR>(GetPropW(window, kOwnProc)));
}

LRESULT CallOwn(WNDPROC own, HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  return own ? CallWindowProcW(own, window, message, w, l) : DefWindowProcW(window, message, w, l);
}

// Gives `window` back its own procedure if `proc` is still the one in
// front; forgets the properties either way.
void Unhook(HWND window, WNDPROC proc) noexcept {
  const WNDPROC own = OwnProc(window);
  RemovePropW(window, kObject);
  if (GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(proc)) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
  RemovePropW(window, kOwnProc);
}

}  // namespace

Subclass::Subclass(HWND window, HandlerFailure& failure)
    : window_(window),
      own_proc_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC))),
      failure_(failure) {
  if (GetPropW(window_, kOwnProc))
    throw RuntimeError(kErrorInternal, "A window is subclassed twice");
  if (!SetPropW(window_, kOwnProc, reinterpret_cast<HANDLE>(reinterpret_cast<INT_PTR>(own_proc_))) ||
      !SetPropW(window_, kObject, this)) {
    RemovePropW(window_, kOwnProc);
    throw RuntimeError(kErrorOutOfMemory, "Out of memory");
  }
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
}

// The procedure goes before the filters do (they are members).
Subclass::~Subclass() {
  if (IsWindow(window_) && GetPropW(window_, kObject) == this) Unhook(window_, Proc);
}

// One property looked up per message: the object's, while it is there.
LRESULT CALLBACK Subclass::Proc(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  auto* self = message == WM_NCDESTROY ? nullptr : static_cast<Subclass*>(GetPropW(window, kObject));
  if (self)
    return self->failure_.Run(GetAncestor(window, GA_ROOT),
                              [&] { return self->HandleMessage(message, w, l); });
  const WNDPROC own = OwnProc(window);
  if (message == WM_NCDESTROY) {
    Unhook(window, Proc);
    RemovePropW(window, kOwnProc);
  }
  return CallOwn(own, window, message, w, l);
}

LRESULT Subclass::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  for (const auto& filter : filters_)
    if (const std::optional<LRESULT> answer = filter->Filter(message, w, l)) return *answer;
  return CallWindowProcW(own_proc_, window_, message, w, l);
}

}  // namespace velmora::win32
