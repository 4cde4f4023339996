// The renderer's window layer on Win32: class, windows, message loop.
#pragma once

#include <windows.h>

#include "picture_options.h"

namespace tessarine::renderer {

// Runs the renderer with the picture's options: a full-screen window first, a
// 1024 x 768 window after each odd Tab release. Returns the exit code: 1 after
// Escape, a close or (with end_on_input) another release, 0 after a failed
// set-up step.
int run_renderer(HINSTANCE instance, int show_command, const PictureOptions& options);

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tessarine::renderer
