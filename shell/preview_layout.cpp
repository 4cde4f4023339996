// Sizes of the preview window.
#include "preview_layout.h"

#include <algorithm>
#include <cmath>

namespace tessarine::shell {

TwipsPerPixel twips_per_pixel(int dpi_x, int dpi_y) {
  TwipsPerPixel scale;
  if (dpi_x > 0) scale.x = 1440.0 / dpi_x;
  if (dpi_y > 0) scale.y = 1440.0 / dpi_y;
  return scale;
}

std::optional<int16_t> twips_from_pixels(long long pixels, double twips_per_pixel) {
  const double twips = std::nearbyint(static_cast<double>(pixels) * twips_per_pixel);
  if (!std::isfinite(twips) || twips < -32768.0 || twips > 32767.0) return std::nullopt;
  return static_cast<int16_t>(twips);
}

int pixels_from_twips(int16_t twips, double twips_per_pixel) {
  if (!(twips_per_pixel > 0.0)) return 0;
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

PreviewGeometry preview_geometry(long left, long top, long right, long bottom, TwipsPerPixel scale) {
  PreviewGeometry g;
  // A size that does not fit 16 bits leaves that size 0.
  g.width_twips = twips_from_pixels(static_cast<long long>(right) - left, scale.x).value_or(0);
  g.height_twips = twips_from_pixels(static_cast<long long>(bottom) - top, scale.y).value_or(0);
  g.window_width = std::max(0, pixels_from_twips(g.width_twips, scale.x));
  g.window_height = std::max(0, pixels_from_twips(g.height_twips, scale.y));
  g.image_width = std::max(0, pixels_from_twips(g.width_twips, scale.x));
  g.image_height = std::max(0, pixels_from_twips(g.height_twips, scale.y));
  return g;
}

}  // namespace tessarine::shell
