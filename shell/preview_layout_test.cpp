// Twips and pixels of the preview window.
#include "preview_layout.h"

#include <gtest/gtest.h>

namespace tessarine::shell {
namespace {

TEST(TwipsPerPixel, FollowsTheScreensDotsPerInch) {
  EXPECT_DOUBLE_EQ(twips_per_pixel(96, 96).x, 15.0);
  EXPECT_DOUBLE_EQ(twips_per_pixel(120, 96).x, 12.0);
  EXPECT_DOUBLE_EQ(twips_per_pixel(120, 96).y, 15.0);
  EXPECT_DOUBLE_EQ(twips_per_pixel(0, -1).y, 15.0);
}

TEST(PreviewGeometry, MatchesTheParentsPixelSizeAtAnyScale) {
  for (int dpi : {96, 120, 144, 168, 192}) {
    const PreviewGeometry g = preview_geometry(100, 200, 252, 312, twips_per_pixel(dpi, dpi));
    EXPECT_EQ(g.window_width, 152) << dpi;
    EXPECT_EQ(g.window_height, 112) << dpi;
    EXPECT_EQ(g.image_width, 152) << dpi;
    EXPECT_EQ(g.image_height, 112) << dpi;
  }
  const PreviewGeometry g = preview_geometry(0, 0, 200, 150, twips_per_pixel(96, 96));
  EXPECT_EQ(g.width_twips, 3000);
  EXPECT_EQ(g.height_twips, 2250);
}

TEST(PreviewGeometry, ASizeBeyond16BitTwipsStaysZero) {
  // 2184 pixels are 32760 twips at 15 twips per pixel; 2185 are too many.
  PreviewGeometry g = preview_geometry(0, 0, 2184, 2185, twips_per_pixel(96, 96));
  EXPECT_EQ(g.width_twips, 32760);
  EXPECT_EQ(g.window_width, 2184);
  EXPECT_EQ(g.height_twips, 0);
  EXPECT_EQ(g.window_height, 0);
  // At 120 dpi the limit moves to 2730 pixels.
  g = preview_geometry(0, 0, 2730, 2731, twips_per_pixel(120, 120));
  EXPECT_EQ(g.window_width, 2730);
  EXPECT_EQ(g.window_height, 0);
}

TEST(PreviewGeometry, AnEmptyOrInvertedRectangleGivesNoSize) {
  PreviewGeometry g = preview_geometry(0, 0, 0, 0, {});
  EXPECT_EQ(g.window_width, 0);
  EXPECT_EQ(g.window_height, 0);
  g = preview_geometry(50, 50, 10, 10, {});
  EXPECT_EQ(g.window_width, 0);
  EXPECT_EQ(g.image_height, 0);
  g = preview_geometry(-2147483647 - 1, 0, 2147483647, 1, {});
  EXPECT_EQ(g.window_width, 0);
  EXPECT_EQ(g.window_height, 1);
}

}  // namespace
}  // namespace tessarine::shell
