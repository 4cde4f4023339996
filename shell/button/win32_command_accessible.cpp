// The button's IAccessible, made by hand: Windows' own button proxy
// (CreateStdAccessibleProxyW with "Button") gives the same role, name and
// default action, but Wine 8 does not have it and aborts the program that
// calls it. The object holds only the window and asks it at each call, so a
// client that keeps it beyond the button's life gets errors, not a crash.
#include "win32_command_accessible.h"

#include <oleacc.h>

#include <atomic>
#include <string>

#include "win32_command_button.h"

namespace tessarine::button {
namespace {

constexpr wchar_t kDefaultAction[] = L"\u62BC\u3059";  // 押す (press), as Japanese Windows names it

bool is_self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT no_value(BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return S_FALSE;
}

class CommandAccessible final : public IAccessible {
 public:
  explicit CommandAccessible(HWND window) : window_(window) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (id != IID_IUnknown && id != IID_IDispatch && id != __uuidof(IAccessible)) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients of a button call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return count ? S_OK : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: one object with no children.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!IsWindow(window_)) return RPC_E_DISCONNECTED;
    return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (!child) return E_POINTER;
    *child = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!is_self(child)) return E_INVALIDARG;
    Command* command = Command::FromWindow(window_);
    if (!command) return RPC_E_DISCONNECTED;
    const std::wstring caption = command->Caption();
    *name = SysAllocStringLen(caption.data(), static_cast<UINT>(caption.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return no_value(value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return no_value(text); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!is_self(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    VariantInit(state);
    if (!is_self(child)) return E_INVALIDARG;
    Command* command = Command::FromWindow(window_);
    if (!command) return RPC_E_DISCONNECTED;
    long bits = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window_) bits |= STATE_SYSTEM_FOCUSED;
    if (!command->state().Enabled || !IsWindowEnabled(window_)) bits |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(window_)) bits |= STATE_SYSTEM_INVISIBLE;
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return no_value(help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) *topic = 0;
    return no_value(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override { return no_value(keys); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (GetFocus() != window_) return S_FALSE;
    focus->vt = VT_I4;
    focus->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_POINTER;
    *action = nullptr;
    if (!is_self(child)) return E_INVALIDARG;
    *action = SysAllocString(kDefaultAction);
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (!is_self(child)) return E_INVALIDARG;
    if ((flags & SELFLAG_TAKEFOCUS) && IsWindowEnabled(window_)) SetFocus(window_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    if (!is_self(child)) return E_INVALIDARG;
    RECT r = {};
    if (!GetWindowRect(window_, &r)) return RPC_E_DISCONNECTED;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
    if (end) VariantInit(end);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    RECT r = {};
    if (!GetWindowRect(window_, &r) || !PtInRect(&r, POINT{x, y})) return S_FALSE;
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    return S_OK;
  }
  // Posted: the client's call returns before the click's work (a modal
  // file picker, say) begins.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!is_self(child)) return E_INVALIDARG;
    Command* command = Command::FromWindow(window_);
    if (!command) return RPC_E_DISCONNECTED;
    if (!command->state().Enabled) return E_FAIL;
    return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~CommandAccessible() = default;
  HWND window_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

LRESULT answer_get_object(HWND button, WPARAM wparam, LPARAM lparam) {
  if (static_cast<LONG>(lparam) != static_cast<LONG>(OBJID_CLIENT))
    return DefWindowProcW(button, WM_GETOBJECT, wparam, lparam);
  // Handing the object over marshals it: COM stays on for the thread's life,
  // so that the client can call it afterwards.
  static thread_local const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)com;
  auto* object = new CommandAccessible(button);
  // __uuidof: MinGW's oleacc import library makes IID_IAccessible a thunk.
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wparam, object);
  object->Release();
  return result;
}

}  // namespace tessarine::button
