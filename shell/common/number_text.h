// Numbers in the shell's texts: settings values, typed repeat tracks and the
// preview's parent handle all read numbers the same way.
#pragma once

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace tessarine::shell {

// The end of the number [sign]digits[.digits][e[sign]digits] that starts at
// text[from]; `from` itself when no digit stands there. An exponent without
// digits is not part of the number.
size_t scan_number(const std::wstring& text, size_t from);

// The value of text[from, end) as scanned above.
double number_value(const std::wstring& text, size_t from, size_t end);

// A text that is one finite number with optional blanks around it.
std::optional<double> read_number(const std::wstring& text);

// The nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// whatever the floating-point rounding mode.
double round_half_even(double value);

// The nearest Integer, halves to even as above; nothing when the value is not
// finite or its nearest integer lies outside Integer's range. Every rounding
// of the shell into a small integer (twips, pixels, typed numbers, stored
// properties) goes through here.
template <typename Integer>
std::optional<Integer> nearest(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = round_half_even(value);
  if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
    return std::nullopt;
  return static_cast<Integer>(rounded);
}

}  // namespace tessarine::shell
