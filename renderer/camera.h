// The renderer's camera and its steering: plain arithmetic, free of GL and Windows.
// Units: angles in degrees, turning rates in degrees per second, distances in
// world units, speeds in units per second, frame rates in frames per second,
// points in client pixels (origin top-left).
#pragma once

#include <array>

namespace tessarine::renderer {

inline constexpr float kMaxSpeed = 40.0f;   // |speed| after every frame
inline constexpr float kMaxHeight = 0.7f;   // |y| of the eye between floor and ceiling
inline constexpr float kWorldPeriod = 6.0f; // the standard grid repeats every 6 units in x and z
inline constexpr float kTurnDecayPerSecond = 4.0f;  // the turning rate's time constant is a quarter of a second

struct Camera {
  float yaw = 0.0f;                          // heading about the vertical axis
  float yaw_rate = 0.0f;                     // turning rate; damped every frame
  std::array<float, 3> position{0, 0, 0};    // x, y, z
  float speed = 0.0f;                        // forward speed; negative flies backwards
};

// Brings a heading back towards [-180, 180] by at most one turn.
float wrap_heading(float yaw);
// Brings an x or z back towards [-period, period] by at most one period.
float wrap_period(float coordinate, float period = kWorldPeriod);

// Advances the heading by `step` seconds of flight (a frame's, see
// flight_step) while the turning rate dies away with a time constant of a
// quarter of a second, then wraps the heading. The step is solved exactly, so
// the heading follows the same curve at any frame rate. A step of 0 (the rate
// not measured yet) only wraps.
void turn(Camera& camera, float step);

// Moves the camera by `step` seconds of flight against `backward` (the
// camera's backward axis in world coordinates: the model-view matrix's third
// row), then clamps the speed, wraps x and z by the world's period (see
// world_period) and clamps y. The clamp follows the movement, so a speed
// pushed past the bounds moves the camera once at its unclamped value.
void move(Camera& camera, const std::array<float, 3>& backward, float step, float period = kWorldPeriod);

// The steering rule for a point of a width x height area: right of the centre
// turns right, above it speeds forwards. The halves are integer halves.
void steer(Camera& camera, int x, int y, int width, int height);

}  // namespace tessarine::renderer
