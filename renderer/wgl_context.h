// The renderer's OpenGL context on a window: owners for the window's device
// context and the WGL context, and the set-up steps with their failure names.
#pragma once

#include <windows.h>

#include <utility>

namespace tessarine::renderer {

// A window's device context (GetDC), released by reset or on destruction.
class WindowDc {
 public:
  WindowDc() = default;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() { reset(); }
  void acquire(HWND window) {
    reset();
    window_ = window;
    dc_ = GetDC(window);
  }
  void reset() {
    if (dc_) ReleaseDC(window_, dc_);
    dc_ = nullptr;
    window_ = nullptr;
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// A WGL rendering context, detached from this thread before it is deleted.
class GlContext {
 public:
  GlContext() = default;
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;
  ~GlContext() { reset(); }
  void reset(HGLRC context = nullptr) {
    if (context_) {
      if (wglGetCurrentContext() == context_) wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(context_);
    }
    context_ = context;
  }
  HGLRC get() const { return context_; }
  explicit operator bool() const { return context_ != nullptr; }

 private:
  HGLRC context_ = nullptr;
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
