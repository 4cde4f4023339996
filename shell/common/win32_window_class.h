// Registers the shell's window classes, each once per process.
#pragma once

#include <windows.h>

#include "win32_program.h"

namespace tessarine::shell {

// True when the class is registered, by this call or an earlier one. The
// instance is the program's own; the arrow is the default pointer.
inline bool register_window_class(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr,
                                  HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW), UINT style = 0) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = program_instance();
  window_class.hCursor = cursor;
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace tessarine::shell
