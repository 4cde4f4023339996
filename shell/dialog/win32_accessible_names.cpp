// Accessible names through the system's annotation service.
#include "win32_accessible_names.h"

// The GUIDs defined here; they are selectany, so other units may do the same.
#include <initguid.h>
#include <oleacc.h>

namespace tessarine::shell::dialog {

// COM for this thread, for as long as the names live: the service is an
// in-process object.
bool AccessibleNames::start() {
  if (tried_) return services_ != nullptr;
  tried_ = true;
  com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  void* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &services)))
    return false;
  services_ = static_cast<IAccPropServices*>(services);
  return true;
}

void AccessibleNames::name(HWND control, const std::wstring& name) {
  if (!control || !start()) return;
  std::wstring text = name;  // the call takes a writable string
  if (SUCCEEDED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                          text.data())))
    named_.push_back(control);
}

AccessibleNames::~AccessibleNames() {
  if (services_) {
    MSAAPROPID property = PROPID_ACC_NAME;
    for (HWND control : named_)
      services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
    services_->Release();
  }
  if (com_) CoUninitialize();
}

}  // namespace tessarine::shell::dialog
