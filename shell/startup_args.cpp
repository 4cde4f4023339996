// Reading the mode letter and the parent handle from the argument text.
#include "startup_args.h"

#include "number_text.h"

#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <string>

namespace tessarine::shell {

wchar_t mode_letter(const std::wstring& arguments) {
  if (arguments.size() < 2) return 0;
  return static_cast<wchar_t>(std::towupper(arguments[1]));
}

StartMode start_mode(const std::wstring& arguments) {
  switch (mode_letter(arguments)) {
    case L'P': return StartMode::Preview;
    case L'C': return StartMode::Configure;
    case L'S': return StartMode::Saver;
    default: return arguments.empty() ? StartMode::Configure : StartMode::End;
  }
}

uint32_t parent_handle(const std::wstring& arguments) {
  size_t i = 3;
  while (i < arguments.size() && (arguments[i] == L' ' || arguments[i] == L'\t')) ++i;
  const size_t end = scan_number(arguments, i);
  if (end == i) return 0;
  // Rounded to the nearest integer, halves to even. Windows may write a
  // handle as a signed or an unsigned 32-bit number: both are kept as their 32
  // bits; a value beyond 32 bits leaves the handle 0.
  const double value = round_half_even(number_value(arguments, i, end));
  if (!std::isfinite(value) || value < -2147483648.0 || value > 4294967295.0) return 0;
  return value < 0 ? static_cast<uint32_t>(static_cast<int32_t>(value)) : static_cast<uint32_t>(value);
}

}  // namespace tessarine::shell
