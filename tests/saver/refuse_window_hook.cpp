// A hook library for the saver's tests: installed for the whole desktop, it
// refuses the creation of any window titled "Tessarine_Main".
#include <windows.h>

#include "window_titles.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK refuse_saver_window(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const wchar_t* title = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs->lpszName;
    if (title && !IS_INTRESOURCE(title) && lstrcmpW(title, tessarine::kSaverTitle) == 0) return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
