// The hidden saver window "Tessarine_Main": its timers, close requests and
// the platform services of the saver run.
#include "win32_saver_window.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "saver_run.h"
#include "shell_module.h"
#include "win32_bgm.h"
#include "win32_gdi.h"
#include "win32_program.h"
#include "win32_settings_file.h"
#include "win32_window_class.h"
#include "window_titles.h"

namespace tessarine::shell {
namespace {

constexpr wchar_t kClassName[] = L"Tessarine_S";

HWND g_window = nullptr;

UINT_PTR timer_id(SaverTimer timer) { return static_cast<UINT_PTR>(timer) + 1; }

// A kernel handle, closed.
using OwnedHandle = gdi::Owner<HANDLE, CloseHandle>;

// A job that ends its processes when its last handle closes: when this
// process ends, however it ends (its window closed, a log-off, killed).
OwnedHandle kill_on_close_job() {
  OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job && !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
    job.reset();
  return job;
}

class Win32SaverHost : public SaverHost {
 public:
  explicit Win32SaverHost(void (*end_program)()) : end_program_(end_program) {}

  void start_program(const std::wstring& path, const std::wstring& command_line) override {
    // Naming the program as well keeps a path with blanks, alone and
    // unquoted on the command line, from being read as a shorter one.
    std::wstring command = command_line;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    // Suspended until it may take the foreground: Windows' foreground lock
    // would otherwise leave the keyboard, and Escape, with the program that
    // the user left.
    if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &info))
      return;
    // It joins the job before it runs, so that it never outlives the run.
    // Where it cannot (before Windows 8, while this process is in a job of
    // its own), it runs on by itself.
    job_ = kill_on_close_job();
    if (job_) AssignProcessToJobObject(job_.get(), info.hProcess);
    AllowSetForegroundWindow(info.dwProcessId);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    renderer_.reset(info.hProcess);
    renderer_id_ = info.dwProcessId;
  }

  bool renderer_running() override {
    return renderer_.get() && WaitForSingleObject(renderer_.get(), 0) == WAIT_TIMEOUT;
  }

  bool renderer_window_exists() override {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, kRendererTitle));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == renderer_id_) return true;
    }
    return false;
  }

  bool file_exists(const std::wstring& path) override { return FileExists(path); }

  bool set_timer(SaverTimer timer, bool enabled) override {
    // Without the window a timer would be the thread's and never reach the run.
    if (!g_window) return false;
    if (!enabled) return KillTimer(g_window, timer_id(timer)) != 0;
    Millis interval = SaverRun::kTimer3Interval;
    if (timer == SaverTimer::Timer1) interval = SaverRun::kTimer1Interval;
    if (timer == SaverTimer::Timer2) interval = SaverRun::kTimer2Interval;
    return SetTimer(g_window, timer_id(timer), static_cast<UINT>(interval.count()), nullptr) != 0;
  }

  int32_t show_cursor(int32_t show) override { return ShowCursor(show); }

  Millis now() override { return Millis(GetTickCount64()); }

  void end_program() override { end_program_(); }

 private:
  void (*end_program_)();
  OwnedHandle renderer_;
  DWORD renderer_id_ = 0;
  OwnedHandle job_;  // held until this process ends
};

// The run of this process, made by load_saver_window before its window.
SaverRun* g_run = nullptr;

// Ticks are handled one at a time, even if a device command pumps messages.
bool g_busy = false;

void on_timer(UINT_PTR id) {
  if (g_busy) return;
  g_busy = true;
  if (id == timer_id(SaverTimer::Timer3)) g_run->Timer3Tick();
  if (id == timer_id(SaverTimer::Timer2)) g_run->Timer2Tick();
  if (id == timer_id(SaverTimer::Timer1)) g_run->Timer1Tick();
  g_busy = false;
}

// A notice is never dropped: one that comes during a tick is handled after it.
void on_mci_notify(HWND window, WPARAM flags, LPARAM device) {
  if (g_busy) {
    PostMessageW(window, MM_MCINOTIFY, flags, device);
    return;
  }
  g_busy = true;
  g_run->Mp3Notify(flags == MCI_NOTIFY_SUCCESSFUL);
  g_busy = false;
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      on_timer(wparam);
      return 0;
    case MM_MCINOTIFY:
      on_mci_notify(window, wparam, lparam);
      return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
      g_run->QueryUnload();
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void load_saver_window(const std::wstring& renderer_path, void (*end_program)()) {
  static Win32SaverHost host(end_program);
  static SaverRun run(host, music::Tessarine_BGM(), Tessarine_B(), renderer_path);
  g_run = &run;
  // No cursor of its own: the window is never shown.
  register_window_class(kClassName, window_procedure, nullptr, nullptr);
  g_window = CreateWindowExW(0, kClassName, kSaverTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                             program_instance(), nullptr);
  music::notify_music_to(g_window);
  run.Load();
}

}  // namespace tessarine::shell
