// The window layer's means of pacing frames and of knowing whether anyone can
// see them on Win32: a high-resolution wait that any message cuts short, the
// display's refresh rate, and the window's registrations for the notices of
// the console display's state and of its session's changes.
#pragma once

#include <windows.h>

namespace tessarine::renderer {

// The console display's state (GUID_CONSOLE_DISPLAY_STATE), named here as
// MinGW's headers only declare it.
inline constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// A wait until a given time has passed or a message has arrived.
class FrameWait {
 public:
  FrameWait() = default;
  FrameWait(const FrameWait&) = delete;
  FrameWait& operator=(const FrameWait&) = delete;
  ~FrameWait();
  // A high-resolution waitable timer where the system has one (Windows 10
  // since 1803); otherwise an ordinary one, with the system timer's
  // resolution raised to 1 ms while the renderer runs.
  void open();
  // Returns when `seconds` have passed or a message is waiting.
  void wait(double seconds) const;

 private:
  HANDLE timer_ = nullptr;
  bool raised_resolution_ = false;
};

// The primary display's refresh rate in hertz; 0 where it is not known.
int primary_refresh_rate();

// A window's registrations for WM_POWERBROADCAST with the console display's
// state and for WM_WTSSESSION_CHANGE, undone by reset or on destruction. A
// registration that fails is skipped: the window is then drawn as before.
class ViewerNotices {
 public:
  ViewerNotices() = default;
  ViewerNotices(const ViewerNotices&) = delete;
  ViewerNotices& operator=(const ViewerNotices&) = delete;
  ~ViewerNotices() { reset(); }
  void register_window(HWND window);
  void reset();

 private:
  HWND session_window_ = nullptr;
  HPOWERNOTIFY display_ = nullptr;
};

}  // namespace tessarine::renderer
