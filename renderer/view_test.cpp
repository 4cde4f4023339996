// The primary monitor's place in the drawing area and the projection over
// every monitor, judged by where points of the world land in pixels.
#include "view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tessarine::renderer {

void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << r.width << " x " << r.height << " at " << r.left << ", " << r.top;
}

namespace {

struct Pixel {
  double x;
  double y;
};

// A point in the eye's space (looking down -z) as a single screen of
// width x height shows it: a pinhole with a vertical field of view of 50 degrees.
Pixel on_single_screen(double x, double y, double z, int width, int height) {
  const double focal = height / 2.0 / std::tan(25.0 * std::numbers::pi / 180.0);
  return {width / 2.0 + x / -z * focal, height / 2.0 - y / -z * focal};
}

// The same point through glFrustum's mapping onto a width x height viewport.
Pixel through(const Frustum& f, double x, double y, double z, int width, int height) {
  const double ndc_x = (2 * f.near_plane / (f.right - f.left) * x + (f.right + f.left) / (f.right - f.left) * z) / -z;
  const double ndc_y = (2 * f.near_plane / (f.top - f.bottom) * y + (f.top + f.bottom) / (f.top - f.bottom) * z) / -z;
  return {(ndc_x + 1) / 2 * width, height - (ndc_y + 1) / 2 * height};
}

struct Layout {
  const char* name;
  PixelRect primary;  // in the drawing area's pixels
  int width;
  int height;
};

// Primary 1024 x 768 with a neighbour: right of it, left of it (the virtual
// screen starts at -1024), above it and larger, below-left of it and smaller.
constexpr Layout kLayouts[] = {
    {"right", {0, 0, 1024, 768}, 2048, 768},
    {"left", {1024, 0, 1024, 768}, 2048, 768},
    {"above, larger", {0, 1024, 1024, 768}, 1280, 1792},
    {"below-left, smaller", {800, 0, 1024, 768}, 1824, 1368},
    {"alone, 1366 x 768", {0, 0, 1366, 768}, 1366, 768},
};

TEST(ViewFrustum, ThePrimaryAloneGetsTheSingleScreensPerspective) {
  const Frustum f = frustum_over({0, 0, 1366, 768}, 1366, 768);
  const double top = 0.1 * std::tan(25.0 * std::numbers::pi / 180.0);  // gluPerspective's bounds
  EXPECT_DOUBLE_EQ(f.top, top);
  EXPECT_DOUBLE_EQ(f.bottom, -top);
  EXPECT_DOUBLE_EQ(f.right, top * 1366.0 / 768.0);
  EXPECT_DOUBLE_EQ(f.left, -top * 1366.0 / 768.0);
  EXPECT_EQ(f.near_plane, 0.1);
  EXPECT_EQ(f.far_plane, 100.0);
}

// Points inside the primary's view land where the primary alone shows them;
// points beyond its edges land where its picture, carried on, would show
// them: on the neighbouring monitor, continuing every line across the seam.
TEST(ViewFrustum, EveryMonitorShowsThePrimarysPictureCarriedOn) {
  const double points[][3] = {{0, 0, -1},     {0.3, -0.2, -1}, {-1, 1, -2},  {-0.9, -1, -1.3},
                              {2.5, -1, -1.5}, {-4, 1, -2},     {1, 3, -1.2}, {6, -1, -0.8}};
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    const Frustum f = frustum_over(layout.primary, layout.width, layout.height);
    for (const auto& p : points) {
      const Pixel alone = on_single_screen(p[0], p[1], p[2], layout.primary.width, layout.primary.height);
      const Pixel shown = through(f, p[0], p[1], p[2], layout.width, layout.height);
      EXPECT_NEAR(shown.x, alone.x + layout.primary.left, 1e-6) << p[0] << ", " << p[1] << ", " << p[2];
      EXPECT_NEAR(shown.y, alone.y + layout.primary.top, 1e-6) << p[0] << ", " << p[1] << ", " << p[2];
    }
  }
}

TEST(ViewPrimary, ThePrimarysPartOfTheClientAreaWhereverTheVirtualScreenStarts) {
  const PixelRect primary{0, 0, 1024, 768};
  EXPECT_EQ(primary_within(primary, {0, 0, 2048, 768}), (PixelRect{0, 0, 1024, 768}));
  EXPECT_EQ(primary_within(primary, {-1024, 0, 2048, 768}), (PixelRect{1024, 0, 1024, 768}));
  EXPECT_EQ(primary_within(primary, {-800, -600, 1824, 1368}), (PixelRect{800, 600, 1024, 768}));
  EXPECT_EQ(primary_within(primary, {0, 0, 1024, 768}), primary);
  EXPECT_EQ(primary_within(primary, {100, 50, 1000, 700}), (PixelRect{0, 0, 924, 700}));  // partly off it
}

TEST(ViewPrimary, AClientAreaOffThePrimaryIsTakenWhole) {
  EXPECT_EQ(primary_within({0, 0, 1024, 768}, {-32000, -32000, 0, 0}), (PixelRect{0, 0, 0, 0}));  // minimised
  EXPECT_EQ(primary_within({0, 0, 1024, 768}, {1024, 0, 800, 600}), (PixelRect{0, 0, 800, 600}));
}

}  // namespace
}  // namespace tessarine::renderer
