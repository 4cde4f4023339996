// Twips (1/1440 inch) and the screen's pixels: the one conversion that the
// dialog, the button and the preview share. Exact at every dpi: 7.5 twips
// make a pixel at 192 dots per inch, not 7.
#pragma once

namespace tessarine::shell {

// The screen's dots per inch across and down.
struct Dpi {
  int x = 96;
  int y = 96;
};

// Twips in one pixel (15 at 96 dpi, 12 at 120, 7.5 at 192); a dpi of 0 or
// less counts as 96.
double twips_per_pixel(int dpi);

// Twips to the nearest whole pixel, halves to even; 0 beyond an int.
int to_pixels(double twips, int dpi);

// Pixels to twips, unrounded.
double to_twips(double pixels, int dpi);

}  // namespace tessarine::shell
