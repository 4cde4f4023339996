// Twips and pixels.
#include "twips.h"

#include "number_text.h"

namespace tessarine::shell {
namespace {

int known(int dpi) { return dpi > 0 ? dpi : 96; }

}  // namespace

double twips_per_pixel(int dpi) { return 1440.0 / known(dpi); }

// Multiplied before the division, so that a whole number of twips that is
// an exact half pixel stays one (no 1440 / dpi with its rounding error).
int to_pixels(double twips, int dpi) { return nearest<int>(twips * known(dpi) / 1440.0).value_or(0); }

double to_twips(double pixels, int dpi) { return pixels * 1440.0 / known(dpi); }

}  // namespace tessarine::shell
