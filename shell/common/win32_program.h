// The running shell program as every room sees it: its instance, the folder
// that holds it and its title.
#pragma once

#include <windows.h>

#include <string>

namespace tessarine::shell {

inline HINSTANCE program_instance() { return GetModuleHandleW(nullptr); }

// The folder that holds the shell program, without a trailing backslash.
std::wstring program_folder();

// The program's title (captions its message boxes).
std::wstring program_title();

}  // namespace tessarine::shell
