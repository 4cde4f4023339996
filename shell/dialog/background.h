// The dialog's painted background: one colour per pixel row, a sine from the
// top edge through the middle to the bottom edge.
#pragma once

#include <cstdint>
#include <vector>

namespace tessarine::shell::dialog {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// The level c = |220 sin(y / d)| with d = H / 3.142, rounded halves to even,
// for the rows y = 0 .. N where N is H rounded; empty for a surface with no
// height.
std::vector<int> background_levels(double height);

// Navy at the edges to pale lavender in the middle: (c, c, c + 30).
Rgb dialog_colour(int level);
// Dark grey at the edges to near white in the middle: (c + 30, c + 30, c + 30).
Rgb panel_colour(int level);

}  // namespace tessarine::shell::dialog
