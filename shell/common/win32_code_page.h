// The shell's one place that converts text between Unicode and a code page:
// the system's ANSI code page (Shift-JIS under code page 932) of the settings
// file and the "A" calls.
#pragma once

#include <string>

#include "code_page.h"

namespace tessarine::shell {

// Characters that the ANSI code page lacks are best-fitted, as the "A" calls do.
std::string to_ansi(const std::wstring& text);
std::wstring from_ansi(const std::string& bytes);
const CodePage& ansi_code_page();

}  // namespace tessarine::shell
