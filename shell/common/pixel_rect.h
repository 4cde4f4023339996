// A rectangle of screen pixels as the shell's layouts compute it.
#pragma once

namespace tessarine::shell {

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace tessarine::shell
