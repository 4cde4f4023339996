// The renderer window's part of the window layer on Win32: the cursor, the
// foreground and the steering's area, all about the current window.
#include "win32_platform.h"
#include "window_layer.h"

namespace tessarine::renderer {

HWND window_handle = nullptr;

PixelRect steering_area() { return primary_area; }

void hide_cursor() { ShowCursor(FALSE); }

void set_cursor_client(int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window_handle, &point);
  SetCursorPos(point.x, point.y);
}

bool window_in_foreground() { return window_handle && GetForegroundWindow() == window_handle; }

}  // namespace tessarine::renderer
