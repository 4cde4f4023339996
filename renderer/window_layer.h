// What the scene uses from the window layer: the drawing area's size, the
// cursor, the high-resolution counter and the failure hook. Free of Windows
// headers; the win32 files implement it.
#pragma once

#include "frame_timing.h"

namespace tessarine::renderer {

// The drawing area in pixels: the screen's size or 1024 x 768 before a window
// is made, then the client size from every WM_SIZE.
extern int window_width;
extern int window_height;

// Hides the cursor once more (ShowCursor(FALSE)).
void hide_cursor();
// Moves the cursor to (x, y) in the current window's client coordinates.
void set_cursor_client(int x, int y);
// The high-resolution counter (QueryPerformanceCounter).
const Counter& performance_counter();
// Names a failed set-up step for a debugger; shows nothing to the user.
void report_failure(const char* step);

}  // namespace tessarine::renderer
