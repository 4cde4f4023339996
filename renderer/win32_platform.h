// The renderer's current window, which the cursor operations refer to, and
// what it shows of itself to others: its class, title and frame count; the
// screens' sizes and the primary display's refresh rate.
#pragma once

#include <windows.h>

#include "view.h"

namespace tessarine::renderer {

// The current window; none before the first one exists. Part of the
// renderer window's services (win32_pointer.cpp), not of the offscreen scene.
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

struct Screens {
  PixelRect primary;  // at the screen's origin, HORZRES x VERTRES of the screen's device context
  PixelRect all;      // the virtual screen: the rectangle that holds every monitor
};

// False when the screen's device context cannot be had.
bool read_screens(Screens& screens);

// The primary display's refresh rate in hertz; 0 where it is not known.
int primary_refresh_rate();

}  // namespace tessarine::renderer
