// The window layer's means of pacing frames and of knowing whether anyone can
// see them on Win32: a high-resolution wait that any message cuts short, and
// the window's registrations for the notices of the console display's state
// and of its session's changes.
#pragma once

#include <windows.h>

#include "win32_owner.h"

namespace tessarine::renderer {

// The console display's state (GUID_CONSOLE_DISPLAY_STATE), named here as
// MinGW's headers only declare it.
inline constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// How the handles and registrations below are given back.
void close_timer(HANDLE timer);
void end_timer_period(UINT milliseconds);
void unregister_display_notice(HPOWERNOTIFY registration);
void unregister_session_notice(HWND window);

// A wait until a given time has passed or a message has arrived.
class FrameWait {
 public:
  // A high-resolution waitable timer where the system has one (Windows 10
  // since 1803); otherwise an ordinary one, with the system timer's
  // resolution raised to 1 ms while the renderer runs.
  void open();
  // Returns when `seconds` have passed or a message is waiting.
  void wait(double seconds) const;

 private:
  Owner<UINT, end_timer_period> raised_period_;  // the system timer's period in ms, when raised
  Owner<HANDLE, close_timer> timer_;             // closed before the period goes back
};

// A window's registrations for WM_POWERBROADCAST with the console display's
// state and for WM_WTSSESSION_CHANGE, undone by reset or on destruction. A
// registration that fails is skipped: the window is then drawn as before.
class ViewerNotices {
 public:
  void register_window(HWND window);
  void reset() {
    display_.reset();
    session_window_.reset();
  }

 private:
  Owner<HWND, unregister_session_notice> session_window_;
  Owner<HPOWERNOTIFY, unregister_display_notice> display_;  // undone first
};

}  // namespace tessarine::renderer
