// The start-up's own Win32 services: the renderer's path beside the program,
// and ending the program.
#pragma once

#include <string>

namespace tessarine::shell {

// program_folder() + "\Tessarine.dll".
std::wstring renderer_path();

// Ends the program at once: no handler of any window runs afterwards.
[[noreturn]] void end_program();

}  // namespace tessarine::shell
