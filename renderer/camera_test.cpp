// The camera's turning, movement, wrapping and steering.
#include "camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "frame_timing.h"

namespace tessarine::renderer {
namespace {

constexpr std::array<float, 3> kFacingMinusZ{0.0f, 0.0f, 1.0f};  // backward axis at heading 0
constexpr std::array<float, 3> kFacingPlusX{-1.0f, 0.0f, 0.0f};  // backward axis at heading 90

TEST(CameraHeading, WrapsByAtMostOneTurnAroundPlusMinus180) {
  EXPECT_FLOAT_EQ(wrap_heading(180.0f), 180.0f);
  EXPECT_FLOAT_EQ(wrap_heading(-180.0f), -180.0f);
  EXPECT_FLOAT_EQ(wrap_heading(180.5f), -179.5f);
  EXPECT_FLOAT_EQ(wrap_heading(-180.5f), 179.5f);
  EXPECT_FLOAT_EQ(wrap_heading(540.5f), 180.5f);
}

TEST(CameraHeading, StandsStillUntilTheRateIsMeasuredButStillWraps) {
  Camera camera;
  camera.yaw = 190.0f;
  camera.yaw_rate = 50.0f;
  turn(camera, 0.0f);
  EXPECT_FLOAT_EQ(camera.yaw, -170.0f);
  EXPECT_FLOAT_EQ(camera.yaw_rate, 50.0f);
}

TEST(CameraHeading, AdvancesByTheDecayingRateOverTheFrameThenDamps) {
  Camera camera;
  camera.yaw = 179.5f;
  camera.yaw_rate = 100.0f;
  turn(camera, 0.01f);  // a frame at 100 frames a second
  EXPECT_NEAR(camera.yaw, -179.52f, 1e-3f);  // 179.5 + 100 * (1 - e^-0.04) / 4, wrapped
  EXPECT_NEAR(camera.yaw_rate, 96.08f, 1e-2f);
}

TEST(CameraHeading, BelowTenFramesPerSecondAFrameTurnsAndMovesByATenthOfASecondTimesTheSpeed) {
  for (float rate : {4.0f, 2.0f, 0.5f}) {
    SCOPED_TRACE(rate);
    Camera camera;
    camera.yaw_rate = 2.0f;
    camera.speed = 40.0f;
    turn(camera, flight_step(rate, 1.0));
    EXPECT_FLOAT_EQ(camera.yaw, 2.0f * (1.0f - std::exp(-0.4f)) / 4.0f);
    EXPECT_FLOAT_EQ(camera.yaw_rate, 2.0f * std::exp(-0.4f));
    move(camera, kFacingMinusZ, flight_step(rate, 1.0));
    EXPECT_FLOAT_EQ(camera.position[2], -4.0f);  // the grid stays in view: within one period
    EXPECT_FLOAT_EQ(flight_step(rate, 2.0), 0.2f);  // the cap is on real time
  }
}

TEST(CameraHeading, OneImpulseTurnsAboutAQuarterOfItWhateverTheFrameRate) {
  for (float rate : {30.0f, 100.0f, 400.0f}) {
    SCOPED_TRACE(rate);
    Camera camera;
    camera.yaw_rate = 100.0f;
    for (int frame = 0; frame < static_cast<int>(rate) * 3; ++frame) turn(camera, 1.0f / rate);
    EXPECT_NEAR(camera.yaw, 25.0f, 1.0f);
  }
}

TEST(CameraMovement, FollowsTheViewingDirectionForTheStep) {
  Camera camera;
  camera.speed = 10.0f;
  move(camera, kFacingMinusZ, 0.05f);
  EXPECT_FLOAT_EQ(camera.position[2], -0.5f);
  move(camera, kFacingPlusX, 0.05f);
  EXPECT_FLOAT_EQ(camera.position[0], 0.5f);
  EXPECT_FLOAT_EQ(camera.position[1], 0.0f);
}

TEST(CameraMovement, StandsStillForAStepOfZero) {
  Camera camera;
  camera.speed = 45.0f;
  move(camera, kFacingMinusZ, 0.0f);
  EXPECT_EQ(camera.position, (std::array<float, 3>{0, 0, 0}));
  EXPECT_FLOAT_EQ(camera.speed, 40.0f);
}

TEST(CameraMovement, ClampsTheSpeedOnlyAfterMovingAtIt) {
  Camera camera;
  camera.speed = 45.0f;
  move(camera, kFacingMinusZ, 0.1f);
  EXPECT_FLOAT_EQ(camera.position[2], -4.5f);
  EXPECT_FLOAT_EQ(camera.speed, 40.0f);

  camera.speed = -45.0f;
  move(camera, kFacingMinusZ, 0.1f);
  EXPECT_FLOAT_EQ(camera.position[2], 0.0f);
  EXPECT_FLOAT_EQ(camera.speed, -40.0f);
}

TEST(CameraMovement, WrapsXAndZByOnePeriodAndClampsY) {
  struct Case {
    float before;
    float after;
    float period = kWorldPeriod;
  };
  for (const Case c : {Case{6.0f, 6.0f}, Case{-6.0f, -6.0f}, Case{6.5f, 0.5f}, Case{-6.5f, -0.5f},
                       Case{13.0f, 7.0f}, Case{6.5f, 6.5f, 12.0f}, Case{-12.5f, -0.5f, 12.0f}}) {
    SCOPED_TRACE(c.before);
    Camera camera;
    camera.position = {c.before, 0.0f, c.before};
    move(camera, kFacingMinusZ, 0.0f, c.period);
    EXPECT_FLOAT_EQ(camera.position[0], c.after);
    EXPECT_FLOAT_EQ(camera.position[2], c.after);
  }
  Camera high;
  high.position = {0.0f, 0.9f, 0.0f};
  move(high, kFacingMinusZ, 0.0f);
  EXPECT_FLOAT_EQ(high.position[1], 0.7f);
  Camera low;
  low.position = {0.0f, -0.9f, 0.0f};
  move(low, kFacingMinusZ, 0.0f);
  EXPECT_FLOAT_EQ(low.position[1], -0.7f);
}

TEST(CameraSteering, TheCentreByIntegerHalvesAddsNothing) {
  Camera camera;
  steer(camera, 682, 383, 1365, 767);  // halves 682 and 383
  EXPECT_EQ(camera.yaw_rate, 0.0f);
  EXPECT_EQ(camera.speed, 0.0f);
  steer(camera, 683, 384, 1365, 767);
  EXPECT_FLOAT_EQ(camera.yaw_rate, 256.0f / 1365.0f);
  EXPECT_FLOAT_EQ(camera.speed, -16.0f / 767.0f);
}

TEST(CameraSteering, RightTurnsRightAndTopSpeedsForwardsInFractions) {
  Camera camera;
  steer(camera, 1024, 0, 1024, 768);
  EXPECT_FLOAT_EQ(camera.yaw_rate, 128.0f);
  EXPECT_FLOAT_EQ(camera.speed, 8.0f);
  steer(camera, 513, 385, 1024, 768);  // one pixel off: fractions, not integer steps
  EXPECT_FLOAT_EQ(camera.yaw_rate, 128.25f);
  EXPECT_FLOAT_EQ(camera.speed, 8.0f - 16.0f / 768.0f);
}

TEST(CameraSteering, AnEmptyAreaChangesNothing) {
  Camera camera;
  steer(camera, 10, 10, 0, 0);  // a minimised window
  EXPECT_EQ(camera.yaw_rate, 0.0f);
  EXPECT_EQ(camera.speed, 0.0f);
}

}  // namespace
}  // namespace tessarine::renderer
