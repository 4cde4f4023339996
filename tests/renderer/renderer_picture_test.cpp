// The renderer's picture as shown on the screen: the grid over dark blue and
// the frame-rate text. The camera moves, so regions are judged, not pixels.
#include <gtest/gtest.h>

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
        const int bright = bright_green_pixels(shot.part(RECT{0, middle - 24, shot.width, middle + 24}));
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

}  // namespace
}  // namespace tessarine::test
