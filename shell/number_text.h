// Numbers in the shell's texts: settings values, typed repeat tracks and the
// preview's parent handle all read numbers the same way.
#pragma once

#include <cstddef>
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

}  // namespace tessarine::shell
