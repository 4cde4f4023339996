// The preview window "Tessarine_R" shown inside the display settings.
#pragma once

#include <windows.h>

namespace tessarine::shell {

// Builds Tessarine_R as a borderless child filling `parent` with the still
// picture of the grid, shown, and returns its window. Null when `parent` is
// no window (nothing is left built) or the window could not be made.
// `on_unload` runs once the window has been destroyed, whatever the cause (a
// close, or the parent's end).
HWND build_preview_window(HWND parent, void (*on_unload)());

}  // namespace tessarine::shell
