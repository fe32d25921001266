#include "window/win32/accessibility.h"

#include <string_view>
#include <utility>

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

// The path of a DLL of the system folder, never one that lies beside the
// program; "" if it does not fit.
std::wstring SystemPath(std::wstring_view name) {
  wchar_t path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length + 1 + name.size() >= MAX_PATH) return {};
  std::wstring full(path, length);
  return full.append(L"\\").append(name);
}

HMODULE SystemLibrary(std::wstring_view name) {
  const std::wstring path = SystemPath(name);
  return path.empty() ? nullptr : LoadLibraryW(path.c_str());
}

template <class Function>
Function Find(HMODULE library, const char* name) noexcept {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                 : nullptr;
}

// The few functions of the accessibility and COM libraries used here,
// loaded once, on first use; all of them or none. With them, the type
// description of IAccessible that oleacc.dll carries, which answers
// IDispatch for the objects made here (nullptr where it has none).
struct Services {
  decltype(&CreateStdAccessibleObject) create_standard = nullptr;
  decltype(&LresultFromObject) result_from_object = nullptr;
  decltype(&CoInitializeEx) initialise = nullptr;
  decltype(&CoCreateInstance) create_instance = nullptr;
  decltype(&SysAllocString) alloc_string = nullptr;
  decltype(&LoadTypeLib) load_type_library = nullptr;
  ITypeInfo* accessible_type = nullptr;  // kept for the program's life
  bool ready = false;

  static const Services& Get() noexcept {
    static const Services services = Load();
    return services;
  }

 private:
  static Services Load() noexcept {
    Services s;
    try {
      HMODULE oleacc = SystemLibrary(L"oleacc.dll");
      HMODULE ole32 = SystemLibrary(L"ole32.dll");
      HMODULE oleaut32 = SystemLibrary(L"oleaut32.dll");
      s.create_standard = Find<decltype(create_standard)>(oleacc, "CreateStdAccessibleObject");
      s.result_from_object = Find<decltype(result_from_object)>(oleacc, "LresultFromObject");
      s.initialise = Find<decltype(initialise)>(ole32, "CoInitializeEx");
      s.create_instance = Find<decltype(create_instance)>(ole32, "CoCreateInstance");
      s.alloc_string = Find<decltype(alloc_string)>(oleaut32, "SysAllocString");
      s.load_type_library = Find<decltype(load_type_library)>(oleaut32, "LoadTypeLib");
      s.ready = s.create_standard && s.result_from_object && s.initialise && s.create_instance &&
                s.alloc_string && s.load_type_library;
      // Handing an object to a reader marshals it, which takes COM on this,
      // the window's, thread. It stays initialised for the program's life.
      if (s.ready) {
        const HRESULT result = s.initialise(nullptr, COINIT_APARTMENTTHREADED);
        s.ready = SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
      }
      ITypeLib* library = nullptr;
      if (s.ready && SUCCEEDED(s.load_type_library(SystemPath(L"oleacc.dll").c_str(), &library))) {
        library->GetTypeInfoOfGuid(__uuidof(IAccessible), &s.accessible_type);
        library->Release();
      }
    } catch (...) {
      s.ready = false;  // out of memory for a path: as if there were no services
    }
    return s;
  }
};

// What a reader is told of a control that the system would tell otherwise.
struct AccessibleAnswer {
  std::wstring name;  // "" keeps the system's
  LONG role = 0;
};

// The system's object for a window, but for its name and role: every other
// property of IAccessible is the system object's answer. COM identity
// holds: the object answers for IUnknown, IDispatch, IAccessible and
// IOleWindow itself and hands out no interface of the system's object (a
// reader that asks for another one, such as IEnumVARIANT for the children
// these controls do not have, takes IAccessible's own way). IDispatch is
// answered from IAccessible's type description, onto this object, so that
// a late-bound name is this object's name too.
class NamedObject final : public IAccessible, public IOleWindow {
 public:
  NamedObject(HWND window, IAccessible* inner, AccessibleAnswer answer)
      : window_(window), inner_(inner), answer_(std::move(answer)) {}

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *out = static_cast<IOleWindow*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&count_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleWindow: the window the object stands for.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = Type() ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (!Type()) return E_NOTIMPL;
    Type()->AddRef();
    *info = Type();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return Type() ? Type()->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* bad_argument) override {
    if (!Type()) return E_NOTIMPL;
    return Type()->Invoke(static_cast<IAccessible*>(this), id, flags, parameters, result, exception,
                          bad_argument);
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

  // The rest of IAccessible, as the system answers it.
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
  static ITypeInfo* Type() { return Services::Get().accessible_type; }

  LONG count_ = 1;
  HWND window_;
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
    named = new NamedObject(window, standard, answer);
  } catch (...) {
    standard->Release();
    return std::nullopt;
  }
  // The answer holds a reference of its own while the reader takes it.
  const LRESULT result = services.result_from_object(__uuidof(IAccessible), w,
                                                     static_cast<IAccessible*>(named));
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

}  // namespace

bool ScreenReaderPresence::Present() const noexcept {
  BOOL runs = FALSE;
  return asked_ || (SystemParametersInfoW(SPI_GETSCREENREADER, 0, &runs, 0) && runs);
}

AccessibleControl::AccessibleControl(HWND window, const Layout& layout, const Control& control,
                                     ScreenReaderPresence& presence)
    : window_(window), role_(RoleOf(control.kind)), presence_(presence) {
  if (control.kind == ControlKind::TextBox) name_ = Utf16(AccessibleNameOf(layout, control));
}

std::optional<LRESULT> AccessibleControl::Filter(UINT message, WPARAM w, LPARAM l) {
  if (message != WM_GETOBJECT) return std::nullopt;
  presence_.Asked();
  return AnswerAccessibleObject(window_, w, l, {name_, role_});
}

LiveRegion::~LiveRegion() {
  if (!properties_) return;
  MSAAPROPID live = kLiveSettingProperty;
  properties_->ClearHwndProps(label_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &live, 1);
  properties_->Release();
}

void LiveRegion::Changed() noexcept {
  if (mark_ == Mark::kNone && presence_.Present()) {
    mark_ = Mark::kUnsupported;
    const Services& services = Services::Get();
    if (services.ready &&
        SUCCEEDED(services.create_instance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                           kIAccPropServices,
                                           reinterpret_cast<void**>(&properties_))) &&
        properties_) {
      VARIANT polite;
      polite.vt = VT_I4;
      polite.lVal = kLivePolite;
      if (SUCCEEDED(properties_->SetHwndProp(label_, static_cast<DWORD>(OBJID_CLIENT),
                                             CHILDID_SELF, kLiveSettingProperty, polite))) {
        mark_ = Mark::kPolite;
      } else {
        properties_->Release();
        properties_ = nullptr;
      }
    }
  }
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, label_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace velmora::win32
