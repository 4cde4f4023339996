// Sizes of the preview window: the parent's pixels converted to 16-bit twips
// and back, with the screen's own twips per pixel.
#pragma once

#include <cstdint>
#include <optional>

#include "twips.h"

namespace tessarine::shell {

// Pixels in twips rounded to the nearest 16-bit integer (halves to even);
// nothing when the result does not fit.
std::optional<int16_t> twips_from_pixels(long long pixels, int dpi);

// What the preview build computes from the parent's screen rectangle.
struct PreviewGeometry {
  int16_t width_twips = 0;  // 0 when the width does not fit 16 bits
  int16_t height_twips = 0;
  int window_width = 0;  // the preview window, pixels (never negative)
  int window_height = 0;
  int image_width = 0;  // Img_Prev, pixels
  int image_height = 0;
};

PreviewGeometry preview_geometry(long left, long top, long right, long bottom, Dpi dpi);

}  // namespace tessarine::shell
