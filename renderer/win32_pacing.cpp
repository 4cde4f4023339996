// Pacing frames and knowing whether anyone sees them, on Win32.
#include "win32_pacing.h"

#include <mmsystem.h>
#include <wtsapi32.h>

#include <cmath>

namespace tessarine::renderer {
namespace {

constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

}  // namespace

void close_timer(HANDLE timer) { CloseHandle(timer); }
void end_timer_period(UINT milliseconds) { timeEndPeriod(milliseconds); }
void unregister_display_notice(HPOWERNOTIFY registration) { UnregisterPowerSettingNotification(registration); }
void unregister_session_notice(HWND window) { WTSUnRegisterSessionNotification(window); }

void FrameWait::open() {
  if (timer_) return;
  timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
  if (timer_) return;
  timer_.reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
  if (timeBeginPeriod(1) == TIMERR_NOERROR) raised_period_.reset(1);
}

void FrameWait::wait(double seconds) const {
  const LONGLONG ticks = std::llround(seconds * 1e7);  // 100 ns units
  if (ticks <= 0) return;
  LARGE_INTEGER due;
  due.QuadPart = -ticks;  // relative to now
  const HANDLE timer = timer_.get();
  if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  } else {
    const auto milliseconds = static_cast<DWORD>(std::ceil(seconds * 1000.0));
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void ViewerNotices::register_window(HWND window) {
  reset();
  // Windows answers at once with the display's current state.
  display_.reset(RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE));
  if (WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION)) session_window_.reset(window);
}

}  // namespace tessarine::renderer
