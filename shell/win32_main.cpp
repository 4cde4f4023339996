// The shell's entry point: single-instance guard, mode dispatch and the
// message loop that keeps the program alive while one of its windows is loaded.
#include <windows.h>

#include <cstdint>

#include "shell_module.h"
#include "startup_args.h"
#include "win32_preview_window.h"
#include "win32_program.h"
#include "win32_saver_window.h"
#include "win32_settings_dialog.h"
#include "win32_settings_file.h"
#include "win32_shell.h"
#include "window_titles.h"

namespace tessarine::shell {
namespace {

// The text after the program name on the command line.
std::wstring argument_text() {
  const wchar_t* p = GetCommandLineW();
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

bool another_instance_is_showing() {
  return FindWindowW(nullptr, kSaverTitle) != nullptr || FindWindowW(nullptr, kSettingsTitle) != nullptr;
}

// Two starts close together both pass the title check before either has made
// its window. Only the one that holds this mutex of the user's session goes
// on to the saver run or the dialog; it holds it for the rest of its life
// (the system lets go of it when the program ends, however it ends).
bool claim_the_single_instance() {
  static HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Tessarine.SaverOrSettings");
  if (!mutex) return true;  // the title check alone, as before
  const DWORD waited = WaitForSingleObject(mutex, 0);
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void report_missing_renderer() {
  MessageBoxW(nullptr, L"Tessarine.dll \u304C\u540C\u3058\uFF8C\uFF6B\uFF99\uFF80\uFF9E\u306B\u898B\u3064\u304B\u308A\u307E\u305B\u3093\uFF01",
              program_title().c_str(), MB_OK);
}

void start_up() {
  if (another_instance_is_showing()) end_program();

  StartupModule& module = Tessarine_B();
  module.arguments = argument_text();
  const StartMode mode = start_mode(module.arguments);

  if (mode == StartMode::Preview) {
    // Window handles carry 32 significant bits and widen with their sign.
    const auto handle = static_cast<int32_t>(parent_handle(module.arguments));
    // The program ends when the preview goes, or at once when none could be built.
    if (!build_preview_window(reinterpret_cast<HWND>(static_cast<intptr_t>(handle)), [] { PostQuitMessage(0); }))
      end_program();
    return;
  }

  if ((mode == StartMode::Configure || mode == StartMode::Saver) && !claim_the_single_instance()) end_program();
  LoadSettings();
  if (!FileExists(renderer_path())) {
    report_missing_renderer();
    end_program();
  }
  switch (mode) {
    case StartMode::Configure:
      show_settings_dialog();
      end_program();
    case StartMode::Saver:
      module.CursorCount = ShowCursor(FALSE);
      load_saver_window(renderer_path(), end_program);
      return;
    default:
      end_program();
  }
}

}  // namespace
}  // namespace tessarine::shell

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tessarine::shell::start_up();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  tessarine::shell::end_program();
}
