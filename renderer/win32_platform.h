// The renderer's current window, which the cursor operations refer to, and
// what it shows of itself to others.
#pragma once

#include <windows.h>

namespace tessarine::renderer {

// The current window; none before the first one exists.
extern HWND window_handle;

// The property of the renderer's window that holds the number of frames drawn
// since the program started, for those who watch it draw (its benchmark and
// its tests).
inline constexpr char kFramesProperty[] = "TessarineFrames";

}  // namespace tessarine::renderer
