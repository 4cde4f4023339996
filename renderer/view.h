// The view over one or several monitors: where the primary monitor lies in the
// drawing area, and the one projection that shows the primary's own picture
// there and carries it on over every other monitor. Free of GL and Windows.
// Units: pixels (origin top-left, y down) for rectangles; world units at the
// near plane for the frustum.
#pragma once

namespace tessarine::renderer {

// The renderer's own rectangle, as the renderer is a separate program that shares no code with the shell.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The primary monitor's part of a client area, both given in screen pixels,
// as client pixels. A client area that does not overlap the primary (a
// minimised window) is taken whole.
PixelRect primary_within(const PixelRect& primary, const PixelRect& client);

// The single screen's perspective: vertical field of view, near and far planes.
inline constexpr double kFieldOfView = 50.0;  // degrees, over the primary's height
inline constexpr double kNearPlane = 0.1;
inline constexpr double kFarPlane = 100.0;

// The bounds of an off-axis projection (glFrustum's arguments).
struct Frustum {
  double left = 0;
  double right = 0;
  double bottom = 0;
  double top = 0;
  double near_plane = kNearPlane;
  double far_plane = kFarPlane;
};

// The single screen's perspective for `primary` (as gluPerspective(50,
// width / height, 0.1, 100) gives it), extended over the width x height
// drawing area that holds it: one eye, and the same world units per pixel
// everywhere, so a line leaving the primary enters its neighbour where they touch.
Frustum frustum_over(const PixelRect& primary, int width, int height);

}  // namespace tessarine::renderer
