// The zoom's anchor and its two animations through DrawAnimatedRects.
#include "win32_zoom.h"

#include <cstdint>

namespace tessarine::shell::dialog {

namespace {

RECT anchor_of(const StartupModule& module) {
  return {module.AnchorX, module.AnchorY, module.AnchorX, module.AnchorY};
}

// The window's rectangle; empty when it has none.
RECT window_rect(HWND window) {
  RECT rect = {};
  if (!GetWindowRect(window, &rect)) rect = RECT{};
  return rect;
}

}  // namespace

void set_zoom_anchor(StartupModule& module) {
  POINT cursor = {};
  if (GetCursorPos(&cursor)) {
    if (cursor.x >= INT16_MIN && cursor.x <= INT16_MAX) module.AnchorX = static_cast<int16_t>(cursor.x);
    if (cursor.y >= INT16_MIN && cursor.y <= INT16_MAX) module.AnchorY = static_cast<int16_t>(cursor.y);
  } else {
    module.AnchorX = 0;
    module.AnchorY = 0;
  }
}

void ZoomOpen(HWND window, const StartupModule& module) {
  const RECT from = anchor_of(module);
  const RECT to = window_rect(window);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window, const StartupModule& module) {
  const RECT from = window_rect(window);
  const RECT to = anchor_of(module);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace tessarine::shell::dialog
