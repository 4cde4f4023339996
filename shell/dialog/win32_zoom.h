// The settings dialog's zoom: a caption animation between its anchor, where
// the mouse pointer was when the dialog was asked for, and its window.
#pragma once

#include <windows.h>

#include "shell_module.h"

namespace tessarine::shell::dialog {

// Takes the pointer's position as the anchor (AnchorX, AnchorY). A coordinate
// beyond 16 bits leaves that half of the anchor as it was; no position at all
// gives (0, 0).
void set_zoom_anchor(StartupModule& module);

// From the anchor to the window's rectangle, and back.
void ZoomOpen(HWND window, const StartupModule& module);
void ZoomClose(HWND window, const StartupModule& module);

}  // namespace tessarine::shell::dialog
