// The renderer's picture as shown on the screen: the grid over dark blue and
// the frame-rate text, in the standard colour or another; and the same scene
// drawn in this process by the offscreen library, as the settings dialog's
// preview draws it. The camera moves, so regions are judged, not pixels.
#include <gtest/gtest.h>

#include "offscreen_scene.h"
#include "renderer_test_support.h"

namespace tessarine::test {
namespace {

RECT corner(const RECT& screen, bool right, bool bottom) {
  constexpr LONG kSize = 24;
  const LONG left = right ? screen.right - kSize : screen.left;
  const LONG top = bottom ? screen.bottom - kSize : screen.top;
  return RECT{left, top, left + kSize, top + kSize};
}

// The text stands at (width - 114, height - 40) from the bottom-left corner.
RECT text_area(const RECT& screen) { return RECT{screen.right - 130, 0, screen.right, 70}; }

TEST(RendererPicture, GridOverDarkBlueWithBrightLinesAroundTheHorizon) {
  Renderer renderer;
  ASSERT_NE(renderer.wait_for_window(is_full_screen_popup), nullptr);
  const RECT screen = screen_rect();
  Picture shot;
  std::string seen;
  const bool shown = wait_until(
      [&] {
        shot = capture_screen(screen);
        if (shot.width != screen.right || shot.height != screen.bottom) return false;
        seen.clear();
        bool ok = true;
        for (bool right : {false, true}) {
          for (bool bottom : {false, true}) {
            const Picture block = shot.part(corner(screen, right, bottom));
            const double share = share_near(block, kClear[0], kClear[1], kClear[2], 3);
            seen += " corner " + std::to_string(share) + " at " + describe(block.at(0, 0));
            ok = ok && share >= 0.6;
          }
        }
        const int middle = shot.height / 2;
        const int bright = bright_line_pixels(shot.part(RECT{0, middle - 24, shot.width, middle + 24}));
        seen += " horizon bright pixels " + std::to_string(bright);
        return ok && bright >= shot.width;
      },
      30s, 500ms);
  EXPECT_TRUE(shown) << seen;
  // Far from the horizon the grid is thin: the picture is mostly background.
  EXPECT_GT(share_near(shot, kClear[0], kClear[1], kClear[2], 3), 0.4);
}

TEST(RendererPicture, FrameRateTextTopRightUntilSpaceIsReleased) {
  Renderer renderer;
  HWND window = renderer.wait_for_window(is_full_screen_popup);
  ASSERT_NE(window, nullptr);
  const RECT area = text_area(screen_rect());
  int pixels = 0;
  EXPECT_TRUE(wait_until([&] { return (pixels = text_pixels(capture_screen(area))) >= 40; }, 30s, 300ms))
      << "text pixels near the top-right corner: " << pixels;
  const Picture rest = capture_screen(RECT{0, 0, 300, 300});
  EXPECT_EQ(text_pixels(rest), 0) << "text colour away from the top-right corner";

  post_key_up(window, VK_SPACE);
  EXPECT_TRUE(wait_until([&] { return (pixels = text_pixels(capture_screen(area))) == 0; }, 20s, 300ms))
      << "text pixels after Space: " << pixels;

  post_key_up(window, VK_SPACE);
  EXPECT_TRUE(wait_until([&] { return (pixels = text_pixels(capture_screen(area))) >= 40; }, 20s, 300ms))
      << "text pixels after a second Space: " << pixels;

  post_key_up(window, VK_ESCAPE);
  ASSERT_TRUE(renderer.process().wait());
  EXPECT_EQ(renderer.process().exit_code(), 1u);
}

TEST(RendererPicture, RedLinesWithColourFF0000AndTheTextOnlyAfterSpaceWithNoFps) {
  Renderer renderer(L"--colour FF0000 --no-fps");
  HWND window = renderer.wait_for_window(is_full_screen_popup);
  ASSERT_NE(window, nullptr);
  const RECT screen = screen_rect();
  Picture shot;
  int red = 0;
  EXPECT_TRUE(wait_until(
      [&] {
        shot = capture_screen(screen);
        const int middle = shot.height / 2;
        if (shot.width != screen.right || shot.height != screen.bottom) return false;
        return (red = bright_line_pixels(shot.part(RECT{0, middle - 24, shot.width, middle + 24}), RGB(255, 0, 0))) >=
               shot.width;
      },
      30s, 500ms))
      << "bright red pixels around the horizon: " << red;
  EXPECT_EQ(bright_line_pixels(shot), 0) << "green lines";
  const RECT area = text_area(screen);
  EXPECT_EQ(text_pixels(capture_screen(area)), 0) << "frame-rate text under --no-fps";

  post_key_up(window, VK_SPACE);
  int pixels = 0;
  EXPECT_TRUE(wait_until([&] { return (pixels = text_pixels(capture_screen(area))) >= 40; }, 20s, 300ms))
      << "text pixels after Space: " << pixels;
  post_key_up(window, VK_ESCAPE);
  EXPECT_TRUE(renderer.process().wait());
}

// Every pixel is the background or a line of `lines` over it: where the
// lines' channel is 0, no pixel passes the background's.
bool only_background_and_lines(const Picture& picture, COLORREF lines, std::string& seen) {
  for (COLORREF colour : picture.pixels) {
    if ((GetRValue(lines) == 0 && GetRValue(colour) > kClear[0] + 3) ||
        (GetGValue(lines) == 0 && GetGValue(colour) > kClear[1] + 3) ||
        (GetBValue(lines) == 0 && GetBValue(colour) > kClear[2] + 3)) {
      seen = describe(colour);
      return false;
    }
  }
  return true;
}

// In this process, as the settings dialog's preview draws the scene.
TEST(OffscreenScene, DrawsTheFlightInTheOptionsColourAndTakesAChangeAtTheNextFrame) {
  renderer::PictureOptions options;
  options.colour = 0xFF0000;
  options.show_fps = false;
  options.max_fps = 30;
  renderer::OffscreenScene scene;
  scene.set_options(options);
  ASSERT_TRUE(scene.open(200, 113)) << "no framebuffer object";
  EXPECT_FALSE(renderer::OffscreenScene().open(200, 113)) << "a second scene in one process";
  EXPECT_DOUBLE_EQ(scene.frame_period(), 1.0 / 30.0);

  scene.draw_frame();
  const Picture first = picture_of(scene.picture());
  ASSERT_EQ(first.width, 200);
  ASSERT_EQ(first.height, 113);
  std::string seen;
  EXPECT_GT(share_near(first, kClear[0], kClear[1], kClear[2], 3), 0.4);
  EXPECT_GT(bright_line_pixels(first, RGB(255, 0, 0)), 20);
  EXPECT_TRUE(only_background_and_lines(first, RGB(255, 0, 0), seen)) << seen;

  Picture later;
  EXPECT_TRUE(wait_until(
      [&] {
        scene.draw_frame();
        later = picture_of(scene.picture());
        return later.pixels != first.pixels;
      },
      10s))
      << "the camera does not move";

  options.colour = 0x00FF00;
  scene.set_options(options);
  scene.draw_frame();
  const Picture green = picture_of(scene.picture());
  EXPECT_GT(bright_line_pixels(green), 20);
  EXPECT_TRUE(only_background_and_lines(green, RGB(0, 255, 0), seen)) << seen;
}

}  // namespace
}  // namespace tessarine::test
