// Reading the mode letter and the parent handle from the argument text.
#include "startup_args.h"

#include <cwctype>

namespace tessarine::shell {

wchar_t mode_letter(const std::wstring& arguments) {
  if (arguments.size() < 2) return 0;
  return static_cast<wchar_t>(std::towupper(arguments[1]));
}

uint32_t parent_handle(const std::wstring& arguments) {
  if (arguments.size() < 4) return 0;
  size_t i = 3;
  while (i < arguments.size() && (arguments[i] == L' ' || arguments[i] == L'\t')) ++i;
  bool negative = false;
  if (i < arguments.size() && (arguments[i] == L'+' || arguments[i] == L'-')) {
    negative = arguments[i] == L'-';
    ++i;
  }
  long long value = 0;
  bool any = false;
  while (i < arguments.size() && arguments[i] >= L'0' && arguments[i] <= L'9') {
    value = value * 10 + (arguments[i] - L'0');
    any = true;
    if (value > 0xFFFFFFFFLL) return 0;  // does not fit 32 bits
    ++i;
  }
  if (!any) return 0;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return 0;
  return static_cast<uint32_t>(static_cast<int32_t>(value));
}

}  // namespace tessarine::shell
