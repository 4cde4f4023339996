// The background rows of the dialog and its panel.
#include "background.h"

#include "number_text.h"

#include <cmath>

namespace tessarine::shell::dialog {


std::vector<int> background_levels(double height) {
  std::vector<int> levels;
  if (!(height >= 1.0) || !std::isfinite(height)) return levels;
  const double d = height / 3.142;
  const long long rows = static_cast<long long>(round_half_even(height));
  levels.reserve(static_cast<size_t>(rows) + 1);
  for (long long y = 0; y <= rows; ++y) {
    levels.push_back(static_cast<int>(round_half_even(std::fabs(220.0 * std::sin(static_cast<double>(y) / d)))));
  }
  return levels;
}

Rgb dialog_colour(int level) {
  return {static_cast<uint8_t>(level), static_cast<uint8_t>(level), static_cast<uint8_t>(level + 30)};
}

Rgb panel_colour(int level) {
  const auto grey = static_cast<uint8_t>(level + 30);
  return {grey, grey, grey};
}

}  // namespace tessarine::shell::dialog
