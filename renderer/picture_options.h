// What shapes the renderer's picture, as its command line gives it:
//   --speed X         the flight runs X times as fast (0.25 to 4; 1 is the standard)
//   --density N       vertical lines every 12 (1), 6 (2, the standard) or 3 (3) units
//   --colour RRGGBB   the vertical lines' colour; floor and ceiling take 80 % of it
//   --max-fps N       at most N frames a second (1 to 1000); 0: the display's rate
//   --no-fps          the frame-rate text starts hidden (Space still shows it)
//   --end-on-input    the release of any key but Tab and Space, or of a mouse
//                     button, ends the renderer as Escape does
// "--option=value" reads as "--option value". A value out of range is
// clamped, one that does not read is ignored, an unknown option is ignored:
// options never make the renderer fail. Free of GL and Windows; the shell
// writes the same options from its settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine::renderer {

inline constexpr double kSlowestFlight = 0.25;
inline constexpr double kFastestFlight = 4.0;
inline constexpr int kSparse = 1;
inline constexpr int kStandardDensity = 2;
inline constexpr int kDense = 3;
inline constexpr std::uint32_t kStandardColour = 0x00FF00;  // RRGGBB
inline constexpr int kHighestFrameRateLimit = 1000;

struct PictureOptions {
  double speed = 1.0;
  int density = kStandardDensity;
  std::uint32_t colour = kStandardColour;  // 0xRRGGBB
  int max_fps = 0;                         // 0: the display's rate
  bool show_fps = true;
  bool end_on_input = false;
  friend bool operator==(const PictureOptions&, const PictureOptions&) = default;
};

// Each value as an option or a settings value spells it; nothing when it
// does not read. Numbers are plain ASCII decimals ("1.5", " 2 ").
std::optional<double> read_speed(std::string_view text);      // clamped to 0.25 .. 4
std::optional<int> read_density(std::string_view text);       // a whole number, clamped to 1 .. 3
std::optional<std::uint32_t> read_colour(std::string_view text);  // six hex digits, an optional '#' before
std::optional<int> read_frame_rate_limit(std::string_view text);  // a whole number, clamped to 0 .. 1000

// The options of the arguments that follow the program's name.
PictureOptions read_options(const std::vector<std::string>& arguments);

// The arguments that give `options`: none for the standard picture, so that
// the renderer is started exactly as without options.
std::vector<std::string> option_arguments(const PictureOptions& options);

// The values as written back: "1.5", "00FF00".
std::string speed_text(double speed);
std::string colour_text(std::uint32_t colour);

// The grid spans [-141, 141] in x and z.
inline constexpr float kGridExtent = 141.0f;

// World units between two vertical lines at a density: 12, 6 or 3.
float pillar_step(int density);

// Where vertical lines stand along x, and alike along z: every step within
// the grid from its edge on (3 + 12k, 3 + 6k, or every multiple of 3).
std::vector<float> pillar_coordinates(int density);

// The period by which the picture repeats in x and z, and so by which the
// camera's x and z wrap without a jump: 6 units, or the step where it is longer.
float world_period(int density);

// A colour's channels from 0 to 1, each times `share` (floor and ceiling take 0.8).
struct Rgb {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
Rgb channels(std::uint32_t colour, float share = 1.0f);

}  // namespace tessarine::renderer
