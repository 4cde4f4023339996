// A running renderer and what the tests read from its window and picture.
#pragma once

#include "win32_test_support.h"
#include "window_titles.h"

namespace tessarine::test {

inline constexpr wchar_t kRendererClass[] = L"opengl demo";
inline constexpr int kClear[3] = {0, 26, 51};  // the scene's background: glClearColor(0.0, 0.1, 0.2)

// The primary screen in real pixels (the renderer declares itself DPI-aware).
RECT screen_rect();
// The virtual screen, which holds every monitor; the primary screen when alone.
RECT virtual_screen_rect();

// Tessarine.dll started from dist/ with `arguments` (its picture's options),
// with its first window found.
class Renderer {
 public:
  explicit Renderer(const std::wstring& arguments = L"");
  Process& process() { return process_; }
  // The process's window titled "Tessarine_VC", or null (between two windows).
  HWND window() const;
  // Waits until a window of the process passes `pred`; returns it, or null.
  HWND wait_for_window(const std::function<bool(HWND)>& pred, Millis timeout = kStartTimeout) const;
  // Seconds of processor time the process has used so far.
  double cpu_seconds() const;
  // Frames drawn so far: the count the renderer keeps on its window.
  long long frames_drawn() const;
  // True once no frame has been drawn for a second (tried for 10 s).
  bool stops_drawing() const;
  // True once ten more frames have been drawn (within 10 s).
  bool draws_on() const;

 private:
  Process process_;
};

// Shown windows of the two modes: the pop-up covers every monitor.
bool is_full_screen_popup(HWND window);
bool is_framed_1024_by_768(HWND window);

// Share of the picture's pixels near (r, g, b).
double share_near(const Picture& picture, int r, int g, int b, int tolerance);
// Pixels of the frame-rate text: the only colour of the scene with any red.
int text_pixels(const Picture& picture);
// Pixels of bright lines of a colour whose channels are each 0 or 255 (the
// standard green unless given): those at 255 bright, the others dark.
int bright_line_pixels(const Picture& picture, COLORREF lines = RGB(0, 255, 0));
// The pixels of a 32 bits a pixel bitmap (the offscreen scene's picture).
Picture picture_of(HBITMAP bitmap);

}  // namespace tessarine::test
