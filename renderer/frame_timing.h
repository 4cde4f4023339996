// Frame timing for the renderer: interval timers on a high-resolution counter,
// the frame-rate measurement, the cursor re-centring throttle and the
// automatic steering step with its pseudo-random points. Free of GL and Windows.
// Units: counter ticks (signed 64-bit), seconds, frames per second, pixels.
#pragma once

#include <cstdint>

namespace tessarine::renderer {

// A high-resolution counter (QueryPerformanceCounter on Windows).
class Counter {
 public:
  virtual ~Counter() = default;
  virtual std::int64_t now() const = 0;
  virtual std::int64_t frequency() const = 0;  // ticks per second
};

struct IntervalTimer {
  std::int64_t start = 0;      // counter value at the last restart
  std::int64_t frequency = 0;  // ticks per second, read at the last restart; 0 before it
};

// Seconds since the timer's last restart, read now; when `restart` is set the
// timer then restarts (frequency first, then a fresh start). The result is
// measured before the restart. A never restarted timer reads 0.
float timer_elapsed(IntervalTimer& timer, bool restart, const Counter& counter);

inline constexpr float kRateWindowSeconds = 0.2f;     // shortest frame-rate measuring window
inline constexpr float kRecentreSeconds = 0.05f;      // at most one re-centring per this time

struct FrameRate {
  float frame_rate = 0.0f;  // last measured rate; 0 means not measured yet
  int frames_counted = 0;   // frames drawn since the last measurement
};

// Starts the measurement afresh (a new window or a new size): not measured.
void restart_measurement(FrameRate& rate, IntervalTimer& rate_timer, const Counter& counter);
// Counts one drawn frame; once the window has lasted at least 0.2 s, measures
// the rate over it (with the restart's own reading) and opens the next window.
void count_frame(FrameRate& rate, IntervalTimer& rate_timer, const Counter& counter);

// The re-centring throttle: true, and the timer restarted, when more than
// 0.05 s have passed since the last re-centring.
bool recentre_due(IntervalTimer& cursor_timer, const Counter& counter);

// The renderer's own pseudo-random sequence, the same on every compiler and
// runtime: state = state * 214013 + 2531011 (mod 2^32), value = bits 16 to 30.
class RandomSequence {
 public:
  int next();  // 0 to 32767

 private:
  std::uint32_t state_ = 1;
};

struct SteerPoint {
  int x = 0;
  int y = 0;
};

inline constexpr int kSteerEveryFrames = 500;
inline constexpr int kSteerAreaWidth = 1024;  // the steering point's area, whatever the window's size
inline constexpr int kSteerAreaHeight = 768;

// Counts every drawn frame (measured or not); every 500th frame it draws the
// automatic steering point and returns true.
bool count_steer_frame(int& steer_count, RandomSequence& random, SteerPoint& point);

// The frame rate and the automatic steering, counted frame by frame.
struct FrameTiming {
  FrameRate rate;
  IntervalTimer rate_timer;  // the frame-rate measuring window
  int steer_count = 0;       // frames since the last automatic steering step; never reset otherwise
  RandomSequence random;
};

// The bookkeeping after each drawn frame: the frame-rate measurement, then the
// steering count, which runs on before the first measurement too. True when
// this frame steers, towards `point`.
bool end_frame(FrameTiming& timing, const Counter& counter, SteerPoint& point);

}  // namespace tessarine::renderer
