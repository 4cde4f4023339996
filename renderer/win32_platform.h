// The renderer's current window, which the cursor operations refer to, and
// what it shows of itself to others: its class, title and frame count.
#pragma once

#include <windows.h>

namespace tessarine::renderer {

// The current window; none before the first one exists.
extern HWND window_handle;

// The class and title by which others find the renderer's window.
inline constexpr char kWindowClass[] = "opengl demo";
inline constexpr char kWindowTitle[] = "Tessarine_VC";

// Registers a window class of this program as the renderer registers its own:
// the arrow pointer, the scroll bar's colour behind the picture. False when it
// failed.
bool register_window_class(HINSTANCE instance, WNDPROC procedure, const char* name = kWindowClass);

// The property of the renderer's window that holds the number of frames drawn
// since the program started, for those who watch it draw (its benchmark and
// its tests).
inline constexpr char kFramesProperty[] = "TessarineFrames";

}  // namespace tessarine::renderer
