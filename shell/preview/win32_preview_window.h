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

// The preview branch of the start-up: builds the window; the program ends
// when it goes, or at once when nothing could be built.
void build_preview(HWND parent);

}  // namespace tessarine::shell
