// The settings dialog "<Tessarine>" (placeholder: an empty modal window).
#include "win32_settings_dialog.h"

#include <windows.h>

#include "../win32_shell.h"

namespace tessarine::shell {

namespace {
bool g_open = false;
LRESULT CALLBACK placeholder_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) g_open = false;
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

void show_settings_dialog() {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = placeholder_proc;
  window_class.hInstance = program_instance();
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"Tessarine_P";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"Tessarine_P", L"<Tessarine>", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 512, 282, nullptr, nullptr, program_instance(),
                                nullptr);
  if (!window) return;
  g_open = true;
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (g_open && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace tessarine::shell
