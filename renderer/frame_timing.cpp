// Frame timing for the renderer.
#include "frame_timing.h"

namespace tessarine::renderer {

float timer_elapsed(IntervalTimer& timer, bool restart, const Counter& counter) {
  const std::int64_t now = counter.now();
  float seconds = 0.0f;
  if (timer.frequency != 0) {
    seconds = static_cast<float>(static_cast<double>(now - timer.start) / static_cast<double>(timer.frequency));
  }
  if (restart) {
    timer.frequency = counter.frequency();
    timer.start = counter.now();
  }
  return seconds;
}

void restart_measurement(FrameRate& rate, IntervalTimer& rate_timer, const Counter& counter) {
  rate.frame_rate = 0.0f;
  rate.frames_counted = 0;
  timer_elapsed(rate_timer, true, counter);
}

void count_frame(FrameRate& rate, IntervalTimer& rate_timer, const Counter& counter) {
  rate.frames_counted += 1;
  if (timer_elapsed(rate_timer, false, counter) >= kRateWindowSeconds) {
    const float seconds = timer_elapsed(rate_timer, true, counter);
    rate.frame_rate = static_cast<float>(rate.frames_counted) / seconds;
    rate.frames_counted = 0;
  }
}

bool recentre_due(IntervalTimer& cursor_timer, const Counter& counter) {
  if (timer_elapsed(cursor_timer, false, counter) > kRecentreSeconds) {
    timer_elapsed(cursor_timer, true, counter);
    return true;
  }
  return false;
}

int RandomSequence::next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

bool count_steer_frame(int& steer_count, RandomSequence& random, SteerPoint& point) {
  steer_count += 1;
  if (steer_count < kSteerEveryFrames) return false;
  steer_count = 0;
  point.x = random.next() % kSteerAreaWidth;
  point.y = random.next() % kSteerAreaHeight;
  return true;
}

bool end_frame(FrameTiming& timing, const Counter& counter, SteerPoint& point) {
  count_frame(timing.rate, timing.rate_timer, counter);
  return count_steer_frame(timing.steer_count, timing.random, point);
}

}  // namespace tessarine::renderer
