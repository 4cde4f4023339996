// What the scene uses from the window layer: the drawing area's size, the
// cursor and whether the window is in front, the high-resolution counter and
// the failure hook. Free of Windows
// headers; the win32 files implement it.
#pragma once

#include "frame_timing.h"
#include "view.h"

namespace tessarine::renderer {

// The drawing area in pixels: the screen's size or 1024 x 768 before a window
// is made, then the client size from every WM_SIZE.
extern int window_width;
extern int window_height;

// The primary monitor's part of the drawing area, in client pixels: the whole
// area on a single monitor and in the 1024 x 768 window; in full screen over
// several monitors, the primary's rectangle inside the window that covers
// them all. The single screen's picture, the frame-rate text, the steering
// and the cursor's resting point are measured on it.
extern PixelRect primary_area;

// Hides the cursor once more (ShowCursor(FALSE)).
void hide_cursor();
// Moves the cursor to (x, y) in the current window's client coordinates.
void set_cursor_client(int x, int y);
// True while the current window is the foreground window.
bool window_in_foreground();
// The high-resolution counter (QueryPerformanceCounter).
const Counter& performance_counter();
// Names a failed set-up step for a debugger; shows nothing to the user.
void report_failure(const char* step);

}  // namespace tessarine::renderer
