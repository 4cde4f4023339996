// The renderer's path and the program's end.
#include "win32_shell.h"

#include <windows.h>

#include "win32_program.h"

namespace tessarine::shell {

std::wstring renderer_path() { return program_folder() + L"\\Tessarine.dll"; }

// TerminateProcess rather than ExitProcess: the latter lets the system destroy
// the remaining windows, whose handlers would then run.
void end_program() {
  TerminateProcess(GetCurrentProcess(), 0);
  ExitProcess(0);
}

}  // namespace tessarine::shell
