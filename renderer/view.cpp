// The view over one or several monitors.
#include "view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessarine::renderer {

PixelRect primary_within(const PixelRect& primary, const PixelRect& client) {
  const int left = std::max(primary.left, client.left);
  const int top = std::max(primary.top, client.top);
  const int right = std::min(primary.left + primary.width, client.left + client.width);
  const int bottom = std::min(primary.top + primary.height, client.top + client.height);
  if (right <= left || bottom <= top) return PixelRect{0, 0, client.width, client.height};
  return PixelRect{left - client.left, top - client.top, right - left, bottom - top};
}

Frustum frustum_over(const PixelRect& primary, int width, int height) {
  const double half_height = kNearPlane * std::tan(kFieldOfView / 2.0 * std::numbers::pi / 180.0);
  const double per_pixel = 2.0 * half_height / primary.height;  // the primary's scale, on every monitor
  const double centre_x = primary.left + primary.width / 2.0;
  const double centre_y = primary.top + primary.height / 2.0;
  Frustum frustum;
  frustum.left = -centre_x * per_pixel;
  frustum.right = (width - centre_x) * per_pixel;
  frustum.top = centre_y * per_pixel;  // pixel rows grow downwards
  frustum.bottom = (centre_y - height) * per_pixel;
  return frustum;
}

}  // namespace tessarine::renderer
