// The hidden saver window "Tessarine_Main" (placeholder: loads the window only).
#include "win32_saver_window.h"

#include <windows.h>

#include "win32_shell.h"

namespace tessarine::shell {

void load_saver_window() {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = program_instance();
  window_class.lpszClassName = L"Tessarine_S";
  RegisterClassW(&window_class);
  CreateWindowExW(0, L"Tessarine_S", L"Tessarine_Main", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                  program_instance(), nullptr);
}

}  // namespace tessarine::shell
