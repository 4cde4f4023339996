// Reading and writing the renderer's picture options.
#include "picture_options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "camera.h"

namespace tessarine::renderer {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// [sign]digits[.digits], nothing else; strtod alone would take hex, "inf"
// and the locale's decimal mark.
std::optional<double> read_decimal(std::string_view text) {
  text = trimmed(text);
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0 || i != text.size() || text.size() > 64) return std::nullopt;
  const std::string copy(text);
  const double value = std::strtod(copy.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> read_whole(std::string_view text, int lowest, int highest) {
  const std::optional<double> value = read_decimal(text);
  if (!value || *value != std::floor(*value)) return std::nullopt;
  return static_cast<int>(std::clamp(*value, static_cast<double>(lowest), static_cast<double>(highest)));
}

}  // namespace

std::optional<double> read_speed(std::string_view text) {
  const std::optional<double> value = read_decimal(text);
  if (!value) return std::nullopt;
  return std::clamp(*value, kSlowestFlight, kFastestFlight);
}

std::optional<int> read_density(std::string_view text) { return read_whole(text, kSparse, kDense); }

std::optional<int> read_frame_rate_limit(std::string_view text) {
  return read_whole(text, 0, kHighestFrameRateLimit);
}

std::optional<std::uint32_t> read_colour(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  std::uint32_t colour = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    colour = colour * 16 + static_cast<std::uint32_t>(digit);
  }
  return colour;
}

PictureOptions read_options(const std::vector<std::string>& arguments) {
  PictureOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> value;
    if (const size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (name == "--no-fps" && !value) {
      options.show_fps = false;
      continue;
    }
    if (name == "--end-on-input" && !value) {
      options.end_on_input = true;
      continue;
    }
    if (name != "--speed" && name != "--density" && name != "--colour" && name != "--max-fps") continue;
    if (!value) {
      // A value never starts with "--": "--speed --no-fps" lacks one.
      if (i + 1 >= arguments.size() || arguments[i + 1].rfind("--", 0) == 0) continue;
      value = arguments[++i];
    }
    if (name == "--speed") options.speed = read_speed(*value).value_or(options.speed);
    if (name == "--density") options.density = read_density(*value).value_or(options.density);
    if (name == "--colour") options.colour = read_colour(*value).value_or(options.colour);
    if (name == "--max-fps") options.max_fps = read_frame_rate_limit(*value).value_or(options.max_fps);
  }
  return options;
}

std::string speed_text(double speed) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", speed);
  return text;
}

std::string colour_text(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
  return text;
}

std::vector<std::string> option_arguments(const PictureOptions& options) {
  const PictureOptions standard;
  std::vector<std::string> arguments;
  if (options.speed != standard.speed) arguments.insert(arguments.end(), {"--speed", speed_text(options.speed)});
  if (options.density != standard.density)
    arguments.insert(arguments.end(), {"--density", std::to_string(options.density)});
  if (options.colour != standard.colour) arguments.insert(arguments.end(), {"--colour", colour_text(options.colour)});
  if (options.max_fps != standard.max_fps)
    arguments.insert(arguments.end(), {"--max-fps", std::to_string(options.max_fps)});
  if (!options.show_fps) arguments.emplace_back("--no-fps");
  if (options.end_on_input) arguments.emplace_back("--end-on-input");
  return arguments;
}

float pillar_step(int density) {
  if (density <= kSparse) return 12.0f;
  if (density >= kDense) return 3.0f;
  return 6.0f;
}

std::vector<float> pillar_coordinates(int density) {
  std::vector<float> coordinates;
  const float step = pillar_step(density);
  for (float c = -kGridExtent; c <= kGridExtent; c += step) coordinates.push_back(c);
  return coordinates;
}

float world_period(int density) { return std::max(kWorldPeriod, pillar_step(density)); }

Rgb channels(std::uint32_t colour, float share) {
  const auto channel = [&](int shift) { return static_cast<float>((colour >> shift) & 0xFF) / 255.0f * share; };
  return {channel(16), channel(8), channel(0)};
}

}  // namespace tessarine::renderer
