// Holds a file open for reading and writing (sharing both), as an editor
// saving a sound would, so that no other program can open it for playing.
//   hold_file FILE SECONDS
// Prints "held" once the file is open, then keeps it for SECONDS (or until
// ended); exit code 1 when the file cannot be opened.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::puts("held");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::wcstol(argv[2], nullptr, 10)) * 1000);
  CloseHandle(file);
  return 0;
}
