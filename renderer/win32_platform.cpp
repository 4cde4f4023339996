// The window layer's services to the scene on Win32: size, cursor, counter,
// failure hook; and the renderer's window class.
#include "win32_platform.h"

#include "window_layer.h"

namespace tessarine::renderer {

HWND window_handle = nullptr;
int window_width = 0;
int window_height = 0;
PixelRect primary_area;

void hide_cursor() { ShowCursor(FALSE); }

void set_cursor_client(int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window_handle, &point);
  SetCursorPos(point.x, point.y);
}

bool window_in_foreground() { return window_handle && GetForegroundWindow() == window_handle; }

namespace {

class PerformanceCounter final : public Counter {
 public:
  std::int64_t now() const override {
    LARGE_INTEGER value = {};
    QueryPerformanceCounter(&value);
    return value.QuadPart;
  }
  std::int64_t frequency() const override {
    LARGE_INTEGER value = {};
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }
};

}  // namespace

const Counter& performance_counter() {
  static const PerformanceCounter counter;
  return counter;
}

bool register_window_class(HINSTANCE instance, WNDPROC procedure, const char* name) {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
  window_class.lpszClassName = name;
  return RegisterClassExA(&window_class) != 0;
}

// Only a debugger sees the step's name; the exit code is the user-visible trace.
void report_failure(const char* step) {
  OutputDebugStringA("Tessarine_VC: set-up failed at ");
  OutputDebugStringA(step);
  OutputDebugStringA("\n");
}

}  // namespace tessarine::renderer
