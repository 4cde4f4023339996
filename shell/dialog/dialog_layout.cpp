// Twips-to-pixel conversions and the dialog's initial position.
#include "dialog_layout.h"

#include <cmath>

#include "number_text.h"

namespace tessarine::shell::dialog {

std::optional<Twips> placement_of(int id) {
  for (const Placement& placement : kPlacements) {
    if (placement.id == id) return placement.twips;
  }
  return std::nullopt;
}

int container_of(int id) {
  if (id >= kIdPictureHeading) return kIdPicturePanel;
  if (id >= kIdHeading && id != kIdPicturePanel) return kIdPanel;
  return 0;
}

PixelRect to_pixels(const Twips& twips, Dpi dpi) {
  const int left = shell::to_pixels(twips.left, dpi.x);
  const int top = shell::to_pixels(twips.top, dpi.y);
  return {left, top, shell::to_pixels(twips.left + twips.width, dpi.x) - left,
          shell::to_pixels(twips.top + twips.height, dpi.y) - top};
}

Point centred_position(int screen_width, int screen_height, int window_width, int window_height, Dpi dpi) {
  // Halves to even; an int's pixels always make a long long of twips.
  const auto free_twips = [](int pixels, int dots) { return nearest<long long>(to_twips(pixels, dots)).value_or(0); };
  // Integer division in C++ truncates toward zero, as the layout asks.
  const long long left = free_twips(screen_width - window_width, dpi.x) / 2;
  const long long top = free_twips(screen_height - window_height, dpi.y) / 3;
  return {shell::to_pixels(static_cast<double>(left), dpi.x), shell::to_pixels(static_cast<double>(top), dpi.y)};
}

int font_height(int dots_per_inch) {
  if (dots_per_inch <= 0) dots_per_inch = 96;
  // Halves away from zero (not to even, as the twips do): the font height's own rule.
  return -static_cast<int>(std::lround(9.75 * dots_per_inch / 72.0));
}

}  // namespace tessarine::shell::dialog
