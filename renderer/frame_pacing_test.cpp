// The frame pacing and the decision whether anyone can see the window.
#include "frame_pacing.h"

#include <gtest/gtest.h>

namespace tessarine::renderer {
namespace {

TEST(RefreshPeriod, IsOneRefreshOfTheDisplayOr60HertzWhereUnknown) {
  EXPECT_DOUBLE_EQ(refresh_period(144), 1.0 / 144.0);
  EXPECT_DOUBLE_EQ(refresh_period(0), 1.0 / 60.0);
  EXPECT_DOUBLE_EQ(refresh_period(1), 1.0 / 60.0);
}

TEST(FramePeriod, AFrameRateLimitLengthensItButNeverShortensTheRefresh) {
  EXPECT_DOUBLE_EQ(frame_period(60, 0), 1.0 / 60.0);
  EXPECT_DOUBLE_EQ(frame_period(60, 30), 1.0 / 30.0);
  EXPECT_DOUBLE_EQ(frame_period(60, 1000), 1.0 / 60.0);
  EXPECT_DOUBLE_EQ(frame_period(0, 144), 1.0 / 60.0);
}

// The loop as the window layer runs it: draw and present (`present` seconds),
// then wait as the pacer asks, each wait `late` seconds longer than asked.
// Returns the time at which the last of `frames` frames was presented.
double run_frames(FramePacer& pacer, int frames, double present, double late) {
  double now = 0.0;
  pacer.restart(now);
  for (int i = 0; i < frames; ++i) {
    now += present;
    pacer.frame_done(now);
    const double left = pacer.seconds_left(now);
    if (left > 0.0) now += left + late;
  }
  return now;
}

TEST(FramePacer, WhereSwapsComeBackAtOnceItHoldsTheRefreshRateAndItsLateWakingsDoNotAddUp) {
  FramePacer pacer;
  pacer.set_period(refresh_period(60));
  const double seconds = run_frames(pacer, 600, 0.004, 0.001);
  EXPECT_NEAR(600 / seconds, 60.0, 0.2);
}

TEST(FramePacer, WhereSwapsWaitForTheDisplayItAddsNoWaitOfItsOwn) {
  // The display refreshes a little faster than the 59 Hz it reports (59.94 Hz)
  // and a little slower than 60 Hz: the swap paces, frame after frame.
  for (int reported : {59, 60}) {
    SCOPED_TRACE(reported);
    FramePacer pacer;
    pacer.set_period(refresh_period(reported));
    double now = 0.0;
    pacer.restart(now);
    for (int i = 0; i < 600; ++i) {
      now += 1.0 / 59.94;
      pacer.frame_done(now);
      ASSERT_LE(pacer.seconds_left(now), 0.0) << "frame " << i;
    }
  }
}

TEST(FramePacer, AfterAStallTheNextFrameComesAtOnceAndThenAgainAPeriodApart) {
  FramePacer pacer;
  pacer.set_period(0.01);
  run_frames(pacer, 10, 0.002, 0.0);
  double now = 3.0;  // three seconds without a frame
  pacer.frame_done(now);
  EXPECT_LE(pacer.seconds_left(now), 0.0);
  now += 0.002;
  pacer.frame_done(now);
  EXPECT_NEAR(pacer.seconds_left(now), 0.008, 1e-9) << "no run of frames to catch up";
  pacer.restart(now);  // drawing resumes: at once
  EXPECT_LE(pacer.seconds_left(now), 0.0);
}

TEST(Visibility, MinimisingRestoringAndMaximisingTheWindow) {
  Visibility visibility;
  EXPECT_FALSE(visibility.can_be_seen()) << "before the window is shown";
  visibility = after_size(visibility, kSizeRestored);
  EXPECT_TRUE(visibility.can_be_seen());
  visibility = after_size(visibility, kSizeMinimized);
  EXPECT_FALSE(visibility.can_be_seen());
  visibility = after_size(visibility, 3);  // SIZE_MAXSHOW: no change
  EXPECT_FALSE(visibility.can_be_seen());
  visibility = after_size(visibility, kSizeMaximized);
  EXPECT_TRUE(visibility.can_be_seen());
}

TEST(Visibility, NobodySeesItWhileTheDisplayIsOffButDimmedItIsStillSeen) {
  Visibility visibility = after_size(Visibility{}, kSizeRestored);
  visibility = after_display_state(visibility, kDisplayOff);
  EXPECT_FALSE(visibility.can_be_seen());
  visibility = after_display_state(visibility, 2);  // dimmed
  EXPECT_TRUE(visibility.can_be_seen());
  visibility = after_display_state(visibility, kDisplayOff);
  visibility = after_display_state(visibility, 1);  // on
  EXPECT_TRUE(visibility.can_be_seen());
}

TEST(Visibility, NobodySeesItWhileTheSessionIsAwayFromTheConsoleButALockChangesNothing) {
  const Visibility shown = after_size(Visibility{}, kSizeRestored);
  for (unsigned away : {kConsoleDisconnect, kRemoteConnect, kRemoteDisconnect}) {
    SCOPED_TRACE(away);
    Visibility visibility = after_session_event(shown, away);
    EXPECT_FALSE(visibility.can_be_seen());
    visibility = after_session_event(visibility, 8);  // WTS_SESSION_UNLOCK: still away
    EXPECT_FALSE(visibility.can_be_seen());
    visibility = after_session_event(visibility, kConsoleConnect);
    EXPECT_TRUE(visibility.can_be_seen());
  }
  for (unsigned other : {5u, 6u, 7u, 8u, 9u}) {  // log-on, log-off, lock, unlock, remote control
    EXPECT_TRUE(after_session_event(shown, other).can_be_seen()) << other;
  }
}

TEST(Visibility, EachReasonHoldsOnItsOwn) {
  Visibility visibility = after_session_event(after_display_state(Visibility{}, kDisplayOff), kConsoleDisconnect);
  visibility = after_display_state(after_size(visibility, kSizeRestored), 1);
  EXPECT_FALSE(visibility.can_be_seen()) << "shown, display on, but still away from the console";
  EXPECT_TRUE(after_session_event(visibility, kConsoleConnect).can_be_seen());
}

}  // namespace
}  // namespace tessarine::renderer
