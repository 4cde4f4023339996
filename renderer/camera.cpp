// The renderer's camera and its steering.
#include "camera.h"

namespace tessarine::renderer {

float wrap_heading(float yaw) {
  if (yaw > 180.0f) yaw -= 360.0f;
  if (yaw < -180.0f) yaw += 360.0f;
  return yaw;
}

float wrap_period(float coordinate) {
  if (coordinate < -kWorldPeriod) coordinate += kWorldPeriod;
  if (coordinate > kWorldPeriod) coordinate -= kWorldPeriod;
  return coordinate;
}

void turn(Camera& camera, float frame_rate) {
  if (frame_rate != 0.0f) {
    camera.yaw += camera.yaw_rate / frame_rate;
    if (frame_rate > 4.0f) {
      camera.yaw_rate *= 1.0f - 4.0f / frame_rate;
    } else {
      camera.yaw_rate = 0.0f;
    }
  }
  camera.yaw = wrap_heading(camera.yaw);
}

void move(Camera& camera, const std::array<float, 3>& backward, float frame_rate) {
  if (frame_rate != 0.0f) {
    for (int i = 0; i < 3; ++i) camera.position[i] -= backward[i] * camera.speed / frame_rate;
  }
  if (camera.speed < -kMaxSpeed) camera.speed = -kMaxSpeed;
  if (camera.speed > kMaxSpeed) camera.speed = kMaxSpeed;
  auto& [x, y, z] = camera.position;
  x = wrap_period(x);
  z = wrap_period(z);
  if (y < -kMaxHeight) y = -kMaxHeight;
  if (y > kMaxHeight) y = kMaxHeight;
}

void steer(Camera& camera, int x, int y, int width, int height) {
  if (width != 0) camera.yaw_rate += static_cast<float>(x - width / 2) * 256.0f / static_cast<float>(width);
  if (height != 0) camera.speed -= static_cast<float>(y - height / 2) * 16.0f / static_cast<float>(height);
}

}  // namespace tessarine::renderer
