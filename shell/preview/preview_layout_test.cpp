// Twips and pixels, and those of the preview window.
#include "preview_layout.h"

#include <gtest/gtest.h>

namespace tessarine::shell {
namespace {

TEST(Twips, ConvertExactlyAtEveryDpi) {
  EXPECT_DOUBLE_EQ(twips_per_pixel(96), 15.0);
  EXPECT_DOUBLE_EQ(twips_per_pixel(120), 12.0);
  EXPECT_DOUBLE_EQ(twips_per_pixel(192), 7.5);
  EXPECT_DOUBLE_EQ(twips_per_pixel(0), 15.0);
  EXPECT_EQ(to_pixels(5595, 192), 746);  // 746.0, where 1440 / 192 = 7 gave 799
  EXPECT_EQ(to_pixels(3645, 120), 304);  // 303.75
  EXPECT_EQ(to_pixels(30, 168), 4);      // 3.5 and 2.5: halves to even,
  EXPECT_EQ(to_pixels(25, 144), 2);      // with no error from 1440 / 168
  EXPECT_EQ(to_pixels(-75, 96), -5);
  EXPECT_DOUBLE_EQ(to_twips(152, 192), 1140.0);
}

TEST(PreviewGeometry, MatchesTheParentsPixelSizeAtAnyScale) {
  for (int dpi : {96, 120, 144, 168, 192}) {
    const PreviewGeometry g = preview_geometry(100, 200, 252, 312, {dpi, dpi});
    EXPECT_EQ(g.window_width, 152) << dpi;
    EXPECT_EQ(g.window_height, 112) << dpi;
    EXPECT_EQ(g.image_width, 152) << dpi;
    EXPECT_EQ(g.image_height, 112) << dpi;
  }
  const PreviewGeometry g = preview_geometry(0, 0, 200, 150, Dpi{96, 96});
  EXPECT_EQ(g.width_twips, 3000);
  EXPECT_EQ(g.height_twips, 2250);
}

TEST(PreviewGeometry, ASizeBeyond16BitTwipsStaysZero) {
  // 2184 pixels are 32760 twips at 15 twips per pixel; 2185 are too many.
  PreviewGeometry g = preview_geometry(0, 0, 2184, 2185, Dpi{96, 96});
  EXPECT_EQ(g.width_twips, 32760);
  EXPECT_EQ(g.window_width, 2184);
  EXPECT_EQ(g.height_twips, 0);
  EXPECT_EQ(g.window_height, 0);
  // At 120 dpi the limit moves to 2730 pixels.
  g = preview_geometry(0, 0, 2730, 2731, Dpi{120, 120});
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
