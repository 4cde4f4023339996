// The renderer's camera and its steering.
#include "camera.h"

#include <cmath>

namespace tessarine::renderer {

float wrap_heading(float yaw) {
  if (yaw > 180.0f) yaw -= 360.0f;
  if (yaw < -180.0f) yaw += 360.0f;
  return yaw;
}

float wrap_period(float coordinate, float period) {
  if (coordinate < -period) coordinate += period;
  if (coordinate > period) coordinate -= period;
  return coordinate;
}

// The turning rate decays as e^(-4t); over a step of h seconds the heading
// gains the integral of the rate, rate * (1 - e^(-4h)) / 4.
void turn(Camera& camera, float step) {
  const float decay = std::exp(-kTurnDecayPerSecond * step);
  camera.yaw += camera.yaw_rate * (1.0f - decay) / kTurnDecayPerSecond;
  camera.yaw_rate *= decay;
  camera.yaw = wrap_heading(camera.yaw);
}

void move(Camera& camera, const std::array<float, 3>& backward, float step, float period) {
  for (int i = 0; i < 3; ++i) camera.position[i] -= backward[i] * camera.speed * step;
  if (camera.speed < -kMaxSpeed) camera.speed = -kMaxSpeed;
  if (camera.speed > kMaxSpeed) camera.speed = kMaxSpeed;
  auto& [x, y, z] = camera.position;
  x = wrap_period(x, period);
  z = wrap_period(z, period);
  if (y < -kMaxHeight) y = -kMaxHeight;
  if (y > kMaxHeight) y = kMaxHeight;
}

void steer(Camera& camera, int x, int y, int width, int height) {
  if (width != 0) camera.yaw_rate += static_cast<float>(x - width / 2) * 256.0f / static_cast<float>(width);
  if (height != 0) camera.speed -= static_cast<float>(y - height / 2) * 16.0f / static_cast<float>(height);
}

}  // namespace tessarine::renderer
