// Twips-to-pixel conversions and the dialog's initial position.
#include "dialog_layout.h"

#include <cmath>

namespace tessarine::shell::dialog {

std::optional<Twips> placement_of(int id) {
  for (const Placement& placement : kPlacements) {
    if (placement.id == id) return placement.twips;
  }
  return std::nullopt;
}

int twips_per_pixel(int dots_per_inch) {
  if (dots_per_inch <= 0) return 15;
  return 1440 / dots_per_inch;
}

int to_pixels(int twips, int twips_per_pixel) {
  if (twips_per_pixel <= 0) twips_per_pixel = 15;
  return static_cast<int>(std::lround(static_cast<double>(twips) / twips_per_pixel));
}

PixelRect to_pixels(const Twips& twips, int twips_per_pixel) {
  return {to_pixels(twips.left, twips_per_pixel), to_pixels(twips.top, twips_per_pixel),
          to_pixels(twips.width, twips_per_pixel), to_pixels(twips.height, twips_per_pixel)};
}

Point centred_position(int screen_width, int screen_height, int window_width, int window_height, int twips_per_pixel) {
  if (twips_per_pixel <= 0) twips_per_pixel = 15;
  const long long free_width = static_cast<long long>(screen_width - window_width) * twips_per_pixel;
  const long long free_height = static_cast<long long>(screen_height - window_height) * twips_per_pixel;
  // Integer division in C++ truncates toward zero, as the layout asks.
  const long long left = free_width / 2;
  const long long top = free_height / 3;
  return {to_pixels(static_cast<int>(left), twips_per_pixel), to_pixels(static_cast<int>(top), twips_per_pixel)};
}

int font_height(int dots_per_inch) {
  if (dots_per_inch <= 0) dots_per_inch = 96;
  return -static_cast<int>(std::lround(9.75 * dots_per_inch / 72.0));
}

}  // namespace tessarine::shell::dialog
