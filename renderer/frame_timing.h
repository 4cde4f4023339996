// Frame timing for the renderer: interval timers on a high-resolution counter,
// the frame-rate measurement and the time step it gives each frame, the cursor
// re-centring throttle and the automatic steering step with its pseudo-random
// points. Free of GL and Windows.
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

// The counter's reading in seconds.
double seconds_now(const Counter& counter);

// Seconds since the timer's last restart, read now; when `restart` is set the
// timer then restarts (frequency first, then a fresh start). The result is
// measured before the restart. A never restarted timer reads 0.
float timer_elapsed(IntervalTimer& timer, bool restart, const Counter& counter);

inline constexpr float kRateWindowSeconds = 0.2f;     // shortest frame-rate measuring window
inline constexpr float kRecentreSeconds = 0.05f;      // at most one re-centring per this time
inline constexpr float kLongestStepSeconds = 0.1f;    // no frame moves the camera on by more
inline constexpr float kStallSeconds = 0.5f;          // a longer gap between two frames is a stall, not a rate
inline constexpr float kSlowFrameRate = 20.0f;        // below it for a second, line smoothing is given up
inline constexpr float kSlowForSeconds = 1.0f;

struct FrameRate {
  float frame_rate = 0.0f;    // last measured rate; 0 means not measured yet
  int frames_counted = 0;     // frames drawn since the last measurement
  float slow_seconds = 0.0f;  // how long the measured rate has stayed below 20 without a break
};

// Starts the measurement afresh (a new window or a new size): not measured.
void restart_measurement(FrameRate& rate, IntervalTimer& rate_timer, const Counter& counter);
// Counts one drawn frame; once the window has lasted at least 0.2 s, measures
// the rate over it (with the restart's own reading) and opens the next window.
void count_frame(FrameRate& rate, IntervalTimer& rate_timer, const Counter& counter);

// The time by which a frame moves the camera on: its share of a second at the
// measured rate, at most 0.1 s, so that a slow or stalled frame never throws
// the camera; 0 while not measured.
float frame_step(float frame_rate);

// Seconds of flight in a frame: the frame's real time step (frame_step, at
// most 0.1 s) times the flight's speed (1 the standard pace), so that at twice
// the speed the camera passes the same points in half the time.
float flight_step(float frame_rate, double speed);

// True once the measured rate has stayed below 20 for a second: one slow
// measuring window does not give line smoothing up.
bool too_slow_for_smoothing(const FrameRate& rate);

// The re-centring throttle: true, and the timer restarted, when the window
// is in front and more than 0.05 s have passed since the last re-centring.
// While another window is in front, the pointer is the user's.
bool recentre_due(IntervalTimer& cursor_timer, const Counter& counter, bool in_front = true);

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

inline constexpr double kSteerEverySeconds = 500.0 / 60.0;  // of flight: every 500 frames at 60 Hz
inline constexpr int kSteerAreaWidth = 1024;  // the steering point's area, whatever the window's size
inline constexpr int kSteerAreaHeight = 768;

// Adds a frame's time step to the flight time since the last automatic
// steering step; every 500 / 60 s of flight it draws the steering point and
// returns true, at any frame rate.
bool steer_due(double& steer_seconds, float step, RandomSequence& random, SteerPoint& point);

// The frame rate and the automatic steering, counted frame by frame.
struct FrameTiming {
  FrameRate rate;
  IntervalTimer rate_timer;    // the frame-rate measuring window
  IntervalTimer frame_timer;   // since the previous frame: finds stalls
  double steer_seconds = 0.0;  // flight time since the last automatic steering step; never reset otherwise
  RandomSequence random;
  std::int64_t frames_drawn = 0;  // since the program started
};

// After a stall or a pause (a move loop, a display change, a resume, the
// display seen again): the measuring starts afresh while the last rate goes on
// moving the camera, so that nothing jumps.
void resume_measurement(FrameTiming& timing, const Counter& counter);

// The bookkeeping after each drawn frame that flew `step` seconds: the
// frame-rate measurement (or, after a stall, its fresh start), then the flight
// time of the steering. True when this frame steers, towards `point`.
bool end_frame(FrameTiming& timing, const Counter& counter, float step, SteerPoint& point);

}  // namespace tessarine::renderer
