// What the scene uses from the window layer: the drawing area's size, the
// cursor, whether the window is in front, the steering's area, the
// high-resolution counter and the failure hook. Free of Windows headers.
// win32_platform.cpp implements the sizes, the counter and the hook for both
// layers; the rest comes from the renderer's window (win32_pointer.cpp) or
// from the offscreen scene (win32_offscreen.cpp), which never hides or moves
// the cursor.
#pragma once

#include "frame_timing.h"
#include "view.h"

namespace tessarine::renderer {

// The drawing area in pixels: the screen's size or 1024 x 768 before a window
// is made, then the client size from every WM_SIZE (the picture's size offscreen).
extern int window_width;
extern int window_height;

// The primary monitor's part of the drawing area, in client pixels: the whole
// area on a single monitor and in the 1024 x 768 window; in full screen over
// several monitors, the primary's rectangle inside the window that covers
// them all. The single screen's picture, the frame-rate text, the pointer's
// steering and the cursor's resting point are measured on it.
extern PixelRect primary_area;

// The area whose width and height scale the automatic steering: the primary's
// part of the window; offscreen, the primary screen, so that a small picture
// flies as the saver does on this machine's screen.
PixelRect steering_area();
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
