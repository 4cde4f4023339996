// Sizes of the preview window.
#include "preview_layout.h"

#include <algorithm>

#include "number_text.h"

namespace tessarine::shell {

std::optional<int16_t> twips_from_pixels(long long pixels, int dpi) {
  return nearest<int16_t>(to_twips(static_cast<double>(pixels), dpi));
}

PreviewGeometry preview_geometry(long left, long top, long right, long bottom, Dpi dpi) {
  PreviewGeometry g;
  // A size that does not fit 16 bits leaves that size 0.
  g.width_twips = twips_from_pixels(static_cast<long long>(right) - left, dpi.x).value_or(0);
  g.height_twips = twips_from_pixels(static_cast<long long>(bottom) - top, dpi.y).value_or(0);
  g.window_width = std::max(0, to_pixels(g.width_twips, dpi.x));
  g.window_height = std::max(0, to_pixels(g.height_twips, dpi.y));
  g.image_width = g.window_width;
  g.image_height = g.window_height;
  return g;
}

}  // namespace tessarine::shell
