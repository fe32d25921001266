#include "window/win32/accessibility.h"

#include <optional>
#include <string_view>

#include "window/front_end.h"
#include "window/win32/text.h"

namespace velmora::win32 {
namespace {

// The live setting of the system's accessibility properties and its value
// "polite": speak the change once the reader is done with what it says.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kLivePolite = 1;
constexpr GUID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019  // Windows 8 on; ignored before
#endif

// A DLL of the system folder, never one that lies beside the program.
HMODULE SystemLibrary(std::wstring_view name) noexcept {
  wchar_t path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length + 1 + name.size() >= MAX_PATH) return nullptr;
  std::wstring full(path, length);
  full.append(L"\\").append(name);
  return LoadLibraryW(full.c_str());
}

template <class Function>
Function Find(HMODULE library, const char* name) noexcept {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                 : nullptr;
}

// The few functions of the accessibility and COM libraries used here,
// loaded once, on first use; all of them or none.
struct Services {
  decltype(&CreateStdAccessibleObject) create_standard = nullptr;
  decltype(&LresultFromObject) result_from_object = nullptr;
  decltype(&CoInitializeEx) initialise = nullptr;
  decltype(&CoCreateInstance) create_instance = nullptr;
  decltype(&SysAllocString) alloc_string = nullptr;
  bool ready = false;

  static const Services& Get() noexcept {
    static const Services services = Load();
    return services;
  }

 private:
  static Services Load() noexcept {
    Services s;
    HMODULE oleacc = SystemLibrary(L"oleacc.dll");
    HMODULE ole32 = SystemLibrary(L"ole32.dll");
    HMODULE oleaut32 = SystemLibrary(L"oleaut32.dll");
    s.create_standard = Find<decltype(create_standard)>(oleacc, "CreateStdAccessibleObject");
    s.result_from_object = Find<decltype(result_from_object)>(oleacc, "LresultFromObject");
    s.initialise = Find<decltype(initialise)>(ole32, "CoInitializeEx");
    s.create_instance = Find<decltype(create_instance)>(ole32, "CoCreateInstance");
    s.alloc_string = Find<decltype(alloc_string)>(oleaut32, "SysAllocString");
    s.ready = s.create_standard && s.result_from_object && s.initialise && s.create_instance &&
              s.alloc_string;
    // Handing an object to a reader marshals it, which takes COM on this,
    // the window's, thread. It stays initialised for the program's life.
    if (s.ready) {
      const HRESULT result = s.initialise(nullptr, COINIT_APARTMENTTHREADED);
      s.ready = SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }
    return s;
  }
};

// What a reader is told of a control that the system would tell otherwise.
struct AccessibleAnswer {
  std::wstring name;  // "" keeps the system's
  LONG role = 0;
};

// The system's object for a window, but for its name and role. Every
// other question goes to the system's object, so that value, states and
// position are what the system says of the control.
class NamedObject final : public IAccessible {
 public:
  NamedObject(IAccessible* inner, AccessibleAnswer answer) : inner_(inner), answer_(std::move(answer)) {}

  // IUnknown. The interfaces a reader asks of a window's object besides
  // IAccessible (IOleWindow, IEnumVARIANT) are the system object's own.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return inner_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&count_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // The two answers of its own.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || answer_.name.empty()) return inner_->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = Services::Get().alloc_string(answer_.name.c_str());
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return inner_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = answer_.role;
    return S_OK;
  }

  // IDispatch and the rest of IAccessible, as the system answers them.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return inner_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return inner_->GetTypeInfo(i, l, t);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return inner_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    return inner_->Invoke(d, r, l, f, p, v, e, a);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return inner_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return inner_->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override { return inner_->get_accChild(c, p); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override { return inner_->get_accValue(c, v); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* d) override {
    return inner_->get_accDescription(c, d);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override { return inner_->get_accState(c, s); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return inner_->get_accHelp(c, h); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
    return inner_->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
    return inner_->get_accKeyboardShortcut(c, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return inner_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return inner_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    return inner_->get_accDefaultAction(c, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override { return inner_->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
    return inner_->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override {
    return inner_->accNavigate(d, s, e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* c) override { return inner_->accHitTest(x, y, c); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return inner_->accDoDefaultAction(c); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return inner_->put_accName(c, n); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return inner_->put_accValue(c, v); }

 private:
  ~NamedObject() { inner_->Release(); }
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  LONG count_ = 1;
  IAccessible* inner_;  // owned: one reference
  AccessibleAnswer answer_;
};

// The answer to WM_GETOBJECT (w, l) for `window`: the system's client
// object, with `answer`'s name and role; nullopt when another object is
// asked for or the services are missing.
std::optional<LRESULT> AnswerAccessibleObject(HWND window, WPARAM w, LPARAM l,
                                              const AccessibleAnswer& answer) noexcept {
  if (static_cast<LONG>(l) != OBJID_CLIENT) return std::nullopt;
  const Services& services = Services::Get();
  if (!services.ready) return std::nullopt;
  IAccessible* standard = nullptr;
  if (FAILED(services.create_standard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                      reinterpret_cast<void**>(&standard))) ||
      !standard)
    return std::nullopt;
  NamedObject* named = nullptr;
  try {
    named = new NamedObject(standard, answer);
  } catch (...) {
    standard->Release();
    return std::nullopt;
  }
  // The answer holds a reference of its own while the reader takes it.
  const LRESULT result = services.result_from_object(__uuidof(IAccessible), w, named);
  named->Release();
  if (FAILED(static_cast<HRESULT>(result))) return std::nullopt;
  return result;
}

// The role a screen reader announces for each kind of control.
LONG RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::CommandButton: return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::TextBox: break;
  }
  return ROLE_SYSTEM_TEXT;
}

constexpr wchar_t kProperty[] = L"Velmora.AccessibleControl";

// Whether the system says a screen reader is running; readers set this.
bool ScreenReaderRuns() noexcept {
  BOOL runs = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &runs, 0) && runs;
}

}  // namespace

AccessibleControl::AccessibleControl(HWND window, const Layout& layout, const Control& control)
    : window_(window), role_(RoleOf(control.kind)) {
  if (control.kind == ControlKind::TextBox) name_ = Utf16(AccessibleNameOf(layout, control));
  SetPropW(window_, kProperty, this);
  own_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
}

AccessibleControl::~AccessibleControl() {
  if (!IsWindow(window_)) return;
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own_proc_));
  RemovePropW(window_, kProperty);
}

LRESULT CALLBACK AccessibleControl::Proc(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  auto* self = static_cast<AccessibleControl*>(GetPropW(window, kProperty));
  if (!self) return DefWindowProcW(window, message, w, l);
  if (message == WM_GETOBJECT) {
    if (auto answer = AnswerAccessibleObject(window, w, l, {self->name_, self->role_})) return *answer;
  }
  return CallWindowProcW(self->own_proc_, window, message, w, l);
}

LiveRegion::~LiveRegion() {
  if (!properties_) return;
  MSAAPROPID live = kLiveSettingProperty;
  properties_->ClearHwndProps(label_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &live, 1);
  properties_->Release();
}

void LiveRegion::Changed() noexcept {
  if (!marked_ && ScreenReaderRuns()) {
    marked_ = true;
    const Services& services = Services::Get();
    if (services.ready &&
        SUCCEEDED(services.create_instance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                           kIAccPropServices,
                                           reinterpret_cast<void**>(&properties_))) &&
        properties_) {
      VARIANT polite;
      polite.vt = VT_I4;
      polite.lVal = kLivePolite;
      properties_->SetHwndProp(label_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                               kLiveSettingProperty, polite);
    }
  }
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, label_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace velmora::win32
