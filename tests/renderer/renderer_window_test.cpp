// The renderer's windows, keys, system requests and exit codes, seen from
// another process.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "renderer_test_support.h"

namespace tessarine::test {
namespace {

void expect_ends_with(Process& process, DWORD code) {
  ASSERT_TRUE(process.wait()) << "the renderer is still running";
  EXPECT_EQ(process.exit_code(), code);
  EXPECT_TRUE(wait_for_no_window(kRendererTitle, 5s));
}

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// What a user feels, on a display with a window manager as a desktop has one
// (without one, Wine waits about 2 s for it whenever an OpenGL window goes).
constexpr double kEndSeconds = 0.5;     // from the release of Escape to the end
constexpr double kSwitchSeconds = 1.0;  // from the release of Tab to the new window

// A renderer, its first window (the full-screen pop-up) up.
class RendererWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    full = renderer.wait_for_window(is_full_screen_popup);
    ASSERT_NE(full, nullptr) << "no full-screen pop-up";
  }
  // Releases Tab over `window`; the window that passes `next` after it, or null.
  HWND tab_from(HWND window, bool (*next)(HWND)) {
    post_key_up(window, VK_TAB);
    return renderer.wait_for_window(next);
  }

  Renderer renderer;
  HWND full = nullptr;
};

TEST_F(RendererWindow, StartsAsAFullScreenPopUpOfItsOwnClassAndEndsOnEscape) {
  EXPECT_EQ(window_class(full), kRendererClass);
  EXPECT_EQ(FindWindowW(kRendererClass, kRendererTitle), full);
  EXPECT_TRUE(IsWindowVisible(full));
  EXPECT_FALSE(GetWindowLongW(full, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Keys must reach it, not the program the user left (Wine has no foreground lock to show).
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == full; }, 10s)) << "not in front when shown";

  const Clock::time_point released = Clock::now();
  post_key_up(full, VK_ESCAPE);
  ASSERT_TRUE(renderer.process().wait()) << "the renderer is still running";
  EXPECT_LE(seconds_since(released), kEndSeconds) << "seconds from the release of Escape to the end";
  expect_ends_with(renderer.process(), 1);
}

TEST_F(RendererWindow, TabReleasesSwitchBetweenFullScreenAndA1024By768Window) {
  Clock::time_point released = Clock::now();
  HWND framed = tab_from(full, is_framed_1024_by_768);
  ASSERT_NE(framed, nullptr) << "no framed 1024 x 768 window after Tab";
  EXPECT_LE(seconds_since(released), kSwitchSeconds) << "seconds from the release of Tab to the framed window";
  EXPECT_EQ(window_class(framed), kRendererClass);
  EXPECT_FALSE(IsWindow(full)) << "the full-screen window was kept";

  released = Clock::now();
  HWND full_again = tab_from(framed, is_full_screen_popup);
  ASSERT_NE(full_again, nullptr) << "no full-screen window after the second Tab";
  EXPECT_LE(seconds_since(released), kSwitchSeconds) << "seconds from the release of Tab to the full-screen window";
  EXPECT_TRUE(renderer.process().running());

  post_key_up(full_again, VK_ESCAPE);
  expect_ends_with(renderer.process(), 1);
}

TEST_F(RendererWindow, KeysActOnReleaseSoEscapeHeldDownEndsNothing) {
  PostMessageW(full, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(full, WM_KEYDOWN, VK_TAB, 1);
  // An ending takes milliseconds; three seconds of watching cannot miss it.
  EXPECT_FALSE(renderer.process().wait(3s)) << "the renderer ended on a key press";
  EXPECT_EQ(renderer.window(), full);

  HWND framed = tab_from(full, is_framed_1024_by_768);
  ASSERT_NE(framed, nullptr);
  post_key_up(framed, VK_ESCAPE);  // in the framed window too
  expect_ends_with(renderer.process(), 1);
}

TEST_F(RendererWindow, ACloseFromAnotherProgramEndsWithOne) {
  PostMessageW(full, WM_CLOSE, 0, 0);
  expect_ends_with(renderer.process(), 1);
}

// Wine does nothing for these two requests either, so under Wine only
// "still running" is shown; on Windows the refusal keeps the saver off.
TEST_F(RendererWindow, RefusesScreenSaverAndMonitorPowerButNotTheSystemMenuClose) {
  PostMessageW(full, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  PostMessageW(full, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  // Handled in order: the Tab release shows the two requests went by.
  HWND framed = tab_from(full, is_framed_1024_by_768);
  ASSERT_NE(framed, nullptr) << "the renderer did not live through the requests";

  PostMessageW(framed, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4 and the system menu
  expect_ends_with(renderer.process(), 1);
}

// Xvfb reports no refresh rate (so 60 Hz is taken) and its swaps come back at
// once: the renderer paces itself there. A loaded machine draws slower, so
// below the rate only some drawing is asked for.
TEST_F(RendererWindow, DrawsAboutOneFramePerRefreshOfTheDisplay) {
  ASSERT_TRUE(wait_until([&] { return renderer.frames_drawn() > 0; }, 30s)) << "no frame count on the window";
  DEVMODEW mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  const double refresh = mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 60.0;
  const long long before = renderer.frames_drawn();
  const Clock::time_point start = Clock::now();
  Sleep(3000);
  const double rate = (renderer.frames_drawn() - before) / seconds_since(start);
  EXPECT_LT(rate, refresh * 1.1) << "frames per second at " << refresh << " Hz";
  EXPECT_GT(rate, 0.0);
  post_key_up(full, VK_ESCAPE);
  expect_ends_with(renderer.process(), 1);
}

// Wine sends no session notices: they are posted here as the system sends them.
TEST_F(RendererWindow, StopsDrawingWhileTheSessionIsAwayFromTheConsoleButNotWhenLocked) {
  PostMessageW(full, WM_WTSSESSION_CHANGE, 7, 0);  // WTS_SESSION_LOCK: the saver is still on show
  EXPECT_TRUE(renderer.draws_on()) << "not drawing when locked";
  PostMessageW(full, WM_WTSSESSION_CHANGE, 2, 0);  // WTS_CONSOLE_DISCONNECT
  EXPECT_TRUE(renderer.stops_drawing()) << "drawing away from the console";
  PostMessageW(full, WM_WTSSESSION_CHANGE, 1, 0);  // WTS_CONSOLE_CONNECT
  EXPECT_TRUE(renderer.draws_on()) << "drawing did not resume";
  post_key_up(full, VK_ESCAPE);
  expect_ends_with(renderer.process(), 1);
}

// Under Wine GetProcessTimes reports no processor time for another process:
// there the frame count shows the drawing stop and resume.
TEST_F(RendererWindow, MinimisedItStopsDrawingRestoredItDrawsAgainAndItStillCloses) {
  HWND framed = tab_from(full, is_framed_1024_by_768);  // a framed window minimises like any other
  ASSERT_NE(framed, nullptr);

  auto cpu_over = [&](Millis span) {
    const double before = renderer.cpu_seconds();
    Sleep(static_cast<DWORD>(span.count()));
    return renderer.cpu_seconds() - before;
  };
  const double drawing = cpu_over(2s);
  const bool cpu_known = drawing > 0.0;
  if (!cpu_known) std::printf("note: no processor time reported for the renderer (Wine); not compared\n");

  PostMessageW(framed, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(framed) != FALSE; }, 10s));
  EXPECT_TRUE(renderer.stops_drawing()) << "drawing while minimised";
  const double minimised = cpu_over(2s);
  if (cpu_known) {
    EXPECT_LT(minimised, drawing / 5) << "drawing " << drawing << " s, minimised " << minimised << " s";
  }

  PostMessageW(framed, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(wait_until([&] { return !IsIconic(framed); }, 10s));
  EXPECT_TRUE(renderer.draws_on()) << "drawing did not resume";
  const double restored = cpu_over(2s);
  if (cpu_known) {
    EXPECT_GT(restored, drawing / 5) << "drawing did not resume";
  }

  PostMessageW(framed, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(framed) != FALSE; }, 10s));
  PostMessageW(framed, WM_CLOSE, 0, 0);  // taken by the loop's blocking wait
  expect_ends_with(renderer.process(), 1);
}

}  // namespace
}  // namespace tessarine::test
