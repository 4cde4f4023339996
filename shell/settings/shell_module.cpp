// The start-up module and the mode letter of its argument text.
#include "shell_module.h"

#include <cwctype>

namespace tessarine::shell {

StartupModule& Tessarine_B() {
  static StartupModule module;
  return module;
}

wchar_t mode_letter(const std::wstring& arguments) {
  if (arguments.size() < 2) return 0;
  return static_cast<wchar_t>(std::towupper(arguments[1]));
}

}  // namespace tessarine::shell
