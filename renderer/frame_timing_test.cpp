// Interval timers, the frame-rate measurement, the re-centring throttle and
// the automatic steering step.
#include "frame_timing.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(CursorRecentring, AtMostOncePerTwentiethOfASecond) {
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

TEST(AutomaticSteering, StepsOnEvery500thFrameWithPointsOfA1024By768Area) {
  int steer_count = 0;
  RandomSequence random;
  SteerPoint point{-1, -1};
  for (int frame = 1; frame < 500; ++frame) ASSERT_FALSE(count_steer_frame(steer_count, random, point)) << frame;
  ASSERT_TRUE(count_steer_frame(steer_count, random, point));
  EXPECT_EQ(point.x, 41);           // 41 mod 1024
  EXPECT_EQ(point.y, 18467 % 768);  // 35
  EXPECT_EQ(steer_count, 0);
  for (int frame = 1; frame < 500; ++frame) ASSERT_FALSE(count_steer_frame(steer_count, random, point)) << frame;
  ASSERT_TRUE(count_steer_frame(steer_count, random, point));
  EXPECT_EQ(point.x, 6334 % 1024);
  EXPECT_EQ(point.y, 26500 % 768);
}

TEST(AutomaticSteering, CountsTheFramesDrawnBeforeTheFirstMeasurement) {
  ManualCounter counter;  // stands still: the rate is never measured
  FrameTiming timing;
  restart_measurement(timing.rate, timing.rate_timer, counter);
  SteerPoint point;
  for (int frame = 1; frame < 500; ++frame) ASSERT_FALSE(end_frame(timing, counter, point)) << frame;
  EXPECT_TRUE(end_frame(timing, counter, point));
  EXPECT_EQ(timing.rate.frame_rate, 0.0f);
  EXPECT_EQ(timing.rate.frames_counted, 500);
}

}  // namespace
}  // namespace tessarine::renderer
