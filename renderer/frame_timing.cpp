// Frame timing for the renderer.
#include "frame_timing.h"

#include <algorithm>

namespace tessarine::renderer {

double seconds_now(const Counter& counter) {
  const std::int64_t frequency = counter.frequency();
  return frequency != 0 ? static_cast<double>(counter.now()) / static_cast<double>(frequency) : 0.0;
}

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
    rate.slow_seconds = rate.frame_rate < kSlowFrameRate ? rate.slow_seconds + seconds : 0.0f;
  }
}

float frame_step(float frame_rate) {
  if (frame_rate == 0.0f) return 0.0f;
  return std::min(1.0f / frame_rate, kLongestStepSeconds);
}

float flight_step(float frame_rate, double speed) {
  return static_cast<float>(frame_step(frame_rate) * speed);
}

bool too_slow_for_smoothing(const FrameRate& rate) { return rate.slow_seconds >= kSlowForSeconds; }

bool recentre_due(IntervalTimer& cursor_timer, const Counter& counter, bool in_front) {
  if (in_front && timer_elapsed(cursor_timer, false, counter) > kRecentreSeconds) {
    timer_elapsed(cursor_timer, true, counter);
    return true;
  }
  return false;
}

int RandomSequence::next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

bool steer_due(double& steer_seconds, float step, RandomSequence& random, SteerPoint& point) {
  steer_seconds += step;
  if (steer_seconds < kSteerEverySeconds) return false;
  steer_seconds -= kSteerEverySeconds;  // the remainder keeps the steps on time
  point.x = random.next() % kSteerAreaWidth;
  point.y = random.next() % kSteerAreaHeight;
  return true;
}

void resume_measurement(FrameTiming& timing, const Counter& counter) {
  timing.rate.frames_counted = 0;
  timing.rate.slow_seconds = 0.0f;
  timer_elapsed(timing.rate_timer, true, counter);
  timer_elapsed(timing.frame_timer, true, counter);
}

bool end_frame(FrameTiming& timing, const Counter& counter, float step, SteerPoint& point) {
  timing.frames_drawn += 1;
  const float since_last_frame = timer_elapsed(timing.frame_timer, true, counter);
  if (timing.rate.frame_rate != 0.0f && since_last_frame > kStallSeconds) {
    resume_measurement(timing, counter);
  } else {
    count_frame(timing.rate, timing.rate_timer, counter);
  }
  return steer_due(timing.steer_seconds, step, timing.random, point);
}

}  // namespace tessarine::renderer
