// The window layer's services to the scene on Win32 that the renderer's
// window and the offscreen scene share: size, counter, failure hook; the
// window class, the screens and the refresh rate.
#include "win32_platform.h"

#include "wgl_context.h"
#include "window_layer.h"

namespace tessarine::renderer {

int window_width = 0;
int window_height = 0;
PixelRect primary_area;

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

bool read_screens(Screens& screens) {
  const WindowDc screen(nullptr);
  if (!screen) return false;
  screens.primary = {0, 0, GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES)};
  screens.all = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  return true;
}

int primary_refresh_rate() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int>(mode.dmDisplayFrequency);
}

}  // namespace tessarine::renderer
