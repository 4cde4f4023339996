// When the renderer draws its next frame.
#include "frame_pacing.h"

#include <algorithm>

namespace tessarine::renderer {
namespace {

// A frame that ends closer than this share of a period to its successor's
// time was paced by the swap (or ran late): the successor starts at once.
constexpr double kPacedByTheSwap = 1.0 / 16.0;

}  // namespace

double refresh_period(int hertz) { return 1.0 / (hertz > 1 ? hertz : kUnknownRefreshRate); }

double frame_period(int hertz, int max_fps) {
  return max_fps > 0 ? std::max(refresh_period(hertz), 1.0 / max_fps) : refresh_period(hertz);
}

// Due times follow one another by whole periods, so the wait's own lateness
// does not add up. Starting again from now keeps a display that refreshes a
// little faster than it reports, or a stall, from being caught up in a burst.
void FramePacer::frame_done(double now) {
  due_ += period_;
  if (due_ - now < period_ * kPacedByTheSwap) due_ = now;
}

Visibility after_size(Visibility visibility, unsigned kind) {
  if (kind == kSizeRestored || kind == kSizeMaximized) visibility.shown = true;
  if (kind == kSizeMinimized) visibility.shown = false;
  return visibility;
}

Visibility after_display_state(Visibility visibility, unsigned state) {
  visibility.display_on = state != kDisplayOff;
  return visibility;
}

Visibility after_session_event(Visibility visibility, unsigned event) {
  if (event == kConsoleConnect) visibility.on_console = true;
  if (event == kConsoleDisconnect || event == kRemoteConnect || event == kRemoteDisconnect) visibility.on_console = false;
  return visibility;
}

}  // namespace tessarine::renderer
