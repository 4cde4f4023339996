// Reading the mode and the parent handle from the argument text.
#include "startup_args.h"

#include "number_text.h"

namespace tessarine::shell {

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
  const double value = number_value(arguments, i, end);
  if (const std::optional<int32_t> handle = nearest<int32_t>(value)) return static_cast<uint32_t>(*handle);
  return nearest<uint32_t>(value).value_or(0);
}

}  // namespace tessarine::shell
