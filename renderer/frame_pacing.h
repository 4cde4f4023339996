// When the renderer draws its next frame: paced to the display's refresh, and
// only while someone can see the window. Free of GL and Windows.
// Units: seconds (on the high-resolution counter), hertz.
#pragma once

namespace tessarine::renderer {

inline constexpr int kUnknownRefreshRate = 60;  // hertz, where the display reports 0 or 1

// Seconds per refresh of a display that reports `hertz`.
double refresh_period(int hertz);
// Seconds between frames: a refresh period, or 1 / max_fps where that is
// longer; the display's rate stays the upper bound. 0: no limit.
double frame_period(int hertz, int max_fps);

// Frames one refresh period apart. Where swaps wait for the display
// themselves, a frame ends close to its successor's time and the pacer adds
// no wait of its own; where they come back at once, it waits out the rest of
// the period. Late frames are never caught up in a burst.
class FramePacer {
 public:
  void set_period(double seconds) { period_ = seconds; }
  double period() const { return period_; }
  // The next frame is due at once (the first frame, or after a pause).
  void restart(double now) { due_ = now; }
  // A frame was presented at `now`: the next one is due a period after this one was.
  void frame_done(double now);
  // Seconds left until the next frame is due; 0 or less: draw it.
  double seconds_left(double now) const { return due_ - now; }

 private:
  double period_ = 1.0 / kUnknownRefreshRate;
  double due_ = 0.0;  // when the next frame is due
};

// Whether anyone can see the renderer's window: drawing stops while it is
// minimised, while the console's display is off, and while the session is
// away from the console (disconnected, or taken over by a remote connection).
// A locked session still shows the saver, so locking changes nothing.
struct Visibility {
  bool shown = false;      // neither minimised nor yet to be shown
  bool display_on = true;  // the console's display is on or dimmed
  bool on_console = true;  // the session is connected to the console
  bool can_be_seen() const { return shown && display_on && on_console; }
};

// WM_SIZE's kinds (SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED); others change nothing.
inline constexpr unsigned kSizeRestored = 0;
inline constexpr unsigned kSizeMinimized = 1;
inline constexpr unsigned kSizeMaximized = 2;
Visibility after_size(Visibility visibility, unsigned kind);

// The console display's state (GUID_CONSOLE_DISPLAY_STATE): 0 off, 1 on, 2 dimmed.
inline constexpr unsigned kDisplayOff = 0;
Visibility after_display_state(Visibility visibility, unsigned state);

// WM_WTSSESSION_CHANGE's events (the WTS_* codes) that move the session to or
// from the console; every other event (lock, unlock, log-on...) changes nothing.
inline constexpr unsigned kConsoleConnect = 1;
inline constexpr unsigned kConsoleDisconnect = 2;
inline constexpr unsigned kRemoteConnect = 3;
inline constexpr unsigned kRemoteDisconnect = 4;
Visibility after_session_event(Visibility visibility, unsigned event);

}  // namespace tessarine::renderer
