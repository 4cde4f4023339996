// The renderer's OpenGL context on a window: owners for device contexts, the
// WGL context and the glyphs' font, and the set-up steps with their failure names.
#pragma once

#include <windows.h>

#include "win32_owner.h"

namespace tessarine::renderer {

inline void release_window_dc(InContext<HWND, HDC> dc) { ReleaseDC(dc.context, dc.handle); }

// A window's device context (GetDC; the screen's for no window), released by
// reset or on destruction.
class WindowDc : public Owner<InContext<HWND, HDC>, release_window_dc> {
 public:
  WindowDc() = default;
  explicit WindowDc(HWND window) : Owner({window, GetDC(window)}) {}
  HDC get() const { return Owner::get().handle; }
};

inline void delete_gl_context(HGLRC context) {
  if (wglGetCurrentContext() == context) wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
}

// A WGL rendering context, detached from this thread before it is deleted.
using GlContext = Owner<HGLRC, delete_gl_context>;

inline void delete_font(HFONT font) { DeleteObject(font); }

// A GDI font, deleted by reset or on destruction.
using Font = Owner<HFONT, delete_font>;

inline void restore_selection(InContext<HDC, HGDIOBJ> previous) { SelectObject(previous.context, previous.handle); }

// Selects an object into a device context (nothing for no object) and puts
// the previous one back on destruction.
class Selection : public Owner<InContext<HDC, HGDIOBJ>, restore_selection> {
 public:
  Selection(HDC dc, HGDIOBJ object) : Owner({dc, object ? SelectObject(dc, object) : nullptr}) {}
};

// Makes a double-buffered RGBA context on the window current and fills the
// display lists 1 to 255 with the glyphs of those character codes. Returns the
// name of the step that failed ("GetDC", "ChoosePixelFormat", "SetPixelFormat",
// "wglCreateContext", "wglMakeCurrent"), or nullptr on success. What was made
// before a failure stays in the owners for the tear-down.
const char* make_gl_context(HWND window, WindowDc& device_context, GlContext& gl_context);

// Asks the current context's driver to present once per refresh
// (WGL_EXT_swap_control), where it offers that.
void ask_for_swap_per_refresh();

}  // namespace tessarine::renderer
