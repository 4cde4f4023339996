// Interval timers, the frame-rate measurement and the frame's time step, the
// re-centring throttle, the automatic steering step, and the flight they give
// at any frame rate.
#include "frame_timing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "camera.h"

namespace tessarine::renderer {
namespace {

// A counter the test sets; with `tick` it advances by that much at every read,
// so that two readings in a row differ.
class ManualCounter final : public Counter {
 public:
  std::int64_t now() const override {
    const std::int64_t value = value_;
    value_ += tick;
    return value;
  }
  std::int64_t frequency() const override { return frequency_; }
  void set(std::int64_t value) { value_ = value; }
  void advance(std::int64_t ticks) { value_ += ticks; }
  std::int64_t frequency_ = 1000;
  std::int64_t tick = 0;

 private:
  mutable std::int64_t value_ = 0;
};

TEST(IntervalTimer, ReadsZeroBeforeItsFirstRestart) {
  ManualCounter counter;
  counter.set(5000);
  IntervalTimer timer;
  EXPECT_EQ(timer_elapsed(timer, false, counter), 0.0f);
}

TEST(IntervalTimer, ReturnsTheTimeBeforeRestartingWithAFreshFrequency) {
  ManualCounter counter;
  IntervalTimer timer;
  counter.set(1000);
  timer_elapsed(timer, true, counter);
  counter.set(1500);
  EXPECT_FLOAT_EQ(timer_elapsed(timer, false, counter), 0.5f);
  counter.frequency_ = 2000;
  EXPECT_FLOAT_EQ(timer_elapsed(timer, true, counter), 0.5f);  // measured with the old frequency
  counter.set(2500);
  EXPECT_FLOAT_EQ(timer_elapsed(timer, false, counter), 0.5f);  // 1000 ticks at 2000 per second
}

TEST(FrameRateMeasurement, WaitsForAtLeastAFifthOfASecond) {
  ManualCounter counter;
  FrameRate rate{55.0f, 7};
  IntervalTimer timer;
  restart_measurement(rate, timer, counter);
  EXPECT_EQ(rate.frame_rate, 0.0f);
  EXPECT_EQ(rate.frames_counted, 0);
  for (int frame = 0; frame < 19; ++frame) {
    counter.advance(10);
    count_frame(rate, timer, counter);
  }
  EXPECT_EQ(rate.frame_rate, 0.0f);
  EXPECT_EQ(rate.frames_counted, 19);
  counter.advance(10);  // 0.2 s: measured
  count_frame(rate, timer, counter);
  EXPECT_FLOAT_EQ(rate.frame_rate, 100.0f);
  EXPECT_EQ(rate.frames_counted, 0);
}

TEST(FrameRateMeasurement, DividesByTheRestartingReadingAndKeepsTheLastRate) {
  ManualCounter counter;
  counter.tick = 50;  // every reading 0.05 s later than the one before
  FrameRate rate;
  IntervalTimer timer;
  restart_measurement(rate, timer, counter);  // start at 50
  count_frame(rate, timer, counter);          // 0.05 s
  count_frame(rate, timer, counter);          // 0.1 s
  count_frame(rate, timer, counter);          // 0.15 s
  EXPECT_EQ(rate.frame_rate, 0.0f);
  count_frame(rate, timer, counter);  // 0.2 s seen, then measured at 0.25 s
  EXPECT_FLOAT_EQ(rate.frame_rate, 4.0f / 0.25f);
  count_frame(rate, timer, counter);
  EXPECT_FLOAT_EQ(rate.frame_rate, 16.0f);
}

TEST(CursorRecentring, AtMostOncePerTwentiethOfASecondAndOnlyInFront) {
  ManualCounter counter;
  IntervalTimer timer;
  timer_elapsed(timer, true, counter);
  counter.advance(50);
  EXPECT_FALSE(recentre_due(timer, counter));  // exactly 0.05 s is not more
  counter.advance(1);
  EXPECT_TRUE(recentre_due(timer, counter));
  counter.advance(30);
  EXPECT_FALSE(recentre_due(timer, counter));  // restarted by the last re-centring
  counter.advance(20);
  EXPECT_FALSE(recentre_due(timer, counter));
  counter.advance(1);
  EXPECT_TRUE(recentre_due(timer, counter));
  counter.advance(60);
  EXPECT_FALSE(recentre_due(timer, counter, false)) << "another window is in front";
  EXPECT_TRUE(recentre_due(timer, counter, true));
}

TEST(RandomSequence, IsTheSameOnEveryCompilerAndRuntime) {
  RandomSequence random;
  std::vector<int> first;
  for (int i = 0; i < 5; ++i) first.push_back(random.next());
  EXPECT_EQ(first, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
  for (int i = 0; i < 100000; ++i) {
    const int value = random.next();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
}

TEST(AutomaticSteering, StepsEvery500Over60SecondsOfFlightWithPointsOfA1024By768Area) {
  double steer_seconds = 0.0;
  RandomSequence random;
  SteerPoint point{-1, -1};
  const float step = frame_step(60.0f);  // 500 frames at 60 Hz
  for (int frame = 1; frame < 500; ++frame) ASSERT_FALSE(steer_due(steer_seconds, step, random, point)) << frame;
  ASSERT_TRUE(steer_due(steer_seconds, step, random, point));
  EXPECT_EQ(point.x, 41);           // 41 mod 1024
  EXPECT_EQ(point.y, 18467 % 768);  // 35
  EXPECT_NEAR(steer_seconds, 0.0, 1e-5);
  int frames = 1;  // at 1000 frames a second the next step comes as many seconds later
  while (!steer_due(steer_seconds, frame_step(1000.0f), random, point)) ++frames;
  EXPECT_NEAR(frames, 8333, 1);
  EXPECT_EQ(point.x, 6334 % 1024);
  EXPECT_EQ(point.y, 26500 % 768);
}

TEST(AutomaticSteering, WaitsForFlightTimeSoFramesBeforeTheFirstMeasurementDoNotCount) {
  ManualCounter counter;  // stands still: the rate is never measured
  FrameTiming timing;
  restart_measurement(timing.rate, timing.rate_timer, counter);
  SteerPoint point;
  for (int frame = 1; frame <= 600; ++frame) {
    ASSERT_FALSE(end_frame(timing, counter, flight_step(timing.rate.frame_rate, 4.0), point)) << frame;
  }
  EXPECT_EQ(timing.rate.frame_rate, 0.0f);
  EXPECT_EQ(timing.rate.frames_counted, 600);
  EXPECT_EQ(timing.frames_drawn, 600);
}

// Frame timing on a counter of a million ticks a second, its measurement started.
struct Clocked {
  Clocked() {
    counter.frequency_ = 1000000;
    restart_measurement(timing.rate, timing.rate_timer, counter);
  }
  ManualCounter counter;
  FrameTiming timing;
};

// Frames of `seconds` each.
void draw_frames(Clocked& clocked, int frames, double seconds) {
  SteerPoint point;
  for (int i = 0; i < frames; ++i) {
    clocked.counter.advance(static_cast<std::int64_t>(seconds * 1e6));
    end_frame(clocked.timing, clocked.counter, frame_step(clocked.timing.rate.frame_rate), point);
  }
}

TEST(FrameRateMeasurement, AStallStartsItAfreshWhileTheLastRateMovesTheCamera) {
  Clocked c;
  draw_frames(c, 60, 1.0 / 60.0);
  ASSERT_NEAR(c.timing.rate.frame_rate, 60.0f, 0.5f);
  draw_frames(c, 5, 1.0 / 60.0);
  draw_frames(c, 1, 3.0);  // a window drag, a desktop switch
  EXPECT_NEAR(c.timing.rate.frame_rate, 60.0f, 0.5f) << "the stall was measured as a rate";
  EXPECT_EQ(c.timing.rate.frames_counted, 0);
  draw_frames(c, 13, 1.0 / 60.0);
  EXPECT_NEAR(c.timing.rate.frame_rate, 60.0f, 0.5f);  // measured again, over frames only
}

TEST(LineSmoothing, IsGivenUpAfterASecondOfSlowFramesNotAfterOneSlowWindow) {
  Clocked c;
  draw_frames(c, 3, 0.1);  // one slow measuring window: 10 fps
  ASSERT_NEAR(c.timing.rate.frame_rate, 10.0f, 0.1f);
  EXPECT_FALSE(too_slow_for_smoothing(c.timing.rate));
  draw_frames(c, 12, 1.0 / 60.0);  // fast again: the slow time starts over
  draw_frames(c, 8, 0.1);
  EXPECT_FALSE(too_slow_for_smoothing(c.timing.rate));
  draw_frames(c, 4, 0.1);  // slow for a second and more
  EXPECT_TRUE(too_slow_for_smoothing(c.timing.rate));
}

// The camera flown for `seconds` at `rate` frames a second and at `speed`,
// steered only by the automatic steering step, as the scene does it. The rate
// is measured before the flight starts, so that every flight starts alike.
Camera fly(float rate, double seconds, double speed = 1.0) {
  Clocked c;
  ManualCounter& counter = c.counter;
  FrameTiming& timing = c.timing;
  while (timing.rate.frame_rate == 0.0f) {
    counter.advance(static_cast<std::int64_t>(1e6 / rate));
    count_frame(timing.rate, timing.rate_timer, counter);
  }
  Camera camera;
  camera.yaw_rate = 90.0f;
  camera.speed = 10.0f;
  SteerPoint point;
  for (double t = 0.0; t < seconds; t += 1.0 / rate) {
    const float step = flight_step(timing.rate.frame_rate, speed);
    turn(camera, step);
    const float radians = camera.yaw * std::numbers::pi_v<float> / 180.0f;
    move(camera, {-std::sin(radians), 0.0f, std::cos(radians)}, step);
    counter.advance(static_cast<std::int64_t>(1e6 / rate));
    if (end_frame(timing, counter, step, point)) steer(camera, point.x, point.y, kSteerAreaWidth, kSteerAreaHeight);
  }
  return camera;
}

// Distance of two x or z coordinates in a world that repeats every 6 units.
float periodic_distance(float a, float b) { return std::fabs(std::remainder(a - b, kWorldPeriod)); }

void expect_same_flight(const Camera& one, const Camera& other) {
  EXPECT_NEAR(other.yaw, one.yaw, 1.0f);
  EXPECT_NEAR(other.yaw_rate, one.yaw_rate, 1.0f);
  EXPECT_FLOAT_EQ(other.speed, one.speed);  // both steered twice, by the same points
  EXPECT_LT(periodic_distance(other.position[0], one.position[0]), 0.5f);
  EXPECT_LT(periodic_distance(other.position[2], one.position[2]), 0.5f);
}

TEST(Flight, IsTheSameAt60At144AndAt1000FramesPerSecond) {
  const Camera at60 = fly(60.0f, 20.0);
  for (float rate : {144.0f, 1000.0f}) {
    SCOPED_TRACE(rate);
    expect_same_flight(at60, fly(rate, 20.0));
  }
}

TEST(Flight, AtTwiceTheSpeedPassesTheSamePointsInHalfTheTimeSteeredAlike) {
  const Camera standard = fly(60.0f, 20.0);
  for (float rate : {60.0f, 144.0f}) {
    SCOPED_TRACE(rate);
    expect_same_flight(standard, fly(rate, 10.0, 2.0));
  }
  EXPECT_NE(fly(60.0f, 10.0).speed, standard.speed) << "half the time at the standard speed steers once only";
}

}  // namespace
}  // namespace tessarine::renderer
