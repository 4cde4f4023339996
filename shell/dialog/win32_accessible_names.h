// Names that screen readers give controls without a text of their own: a
// drop-down list is named by its caption through the system's annotation
// service (IAccPropServices, PROPID_ACC_NAME), so that the list's own
// accessible object stays the system's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IAccPropServices;

namespace tessarine::shell::dialog {

class AccessibleNames {
 public:
  AccessibleNames() = default;
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;
  // Clears every name given (the service keeps them by window handle) and
  // lets go of the service.
  ~AccessibleNames();

  // Names `control`; nothing happens where the service is missing (under
  // Wine it is there but keeps nothing).
  void name(HWND control, const std::wstring& name);

 private:
  bool start();

  bool com_ = false;
  bool tried_ = false;
  IAccPropServices* services_ = nullptr;
  std::vector<HWND> named_;
};

}  // namespace tessarine::shell::dialog
