// The saver on a desk of several monitors, started as Windows starts it
// (Tessarine.scr /s): the renderer's window covers every monitor, the primary
// shows its own picture with the frame-rate text, the others carry the same
// flight on across the seams; Tab, Escape, and monitors that change while it
// runs. With a single monitor there is nothing to show: the tests skip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "renderer_test_support.h"
#include "shell_copy.h"

namespace tessarine::test {
namespace {

struct Monitor {
  std::wstring device;
  RECT rect;
  bool primary;
};

BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFOEXW info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        {info.szDevice, info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

std::vector<Monitor> monitors() {
  SetProcessDPIAware();
  std::vector<Monitor> list;
  EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&list));
  return list;
}

const Monitor& primary_of(const std::vector<Monitor>& list) {
  for (const Monitor& m : list)
    if (m.primary) return m;
  return list.front();
}

const Monitor* second_of(const std::vector<Monitor>& list) {
  for (const Monitor& m : list)
    if (!m.primary) return &m;
  return nullptr;
}

// Changes monitors' settings; puts each back as it was, last change first.
class DisplaySettings {
 public:
  DisplaySettings() = default;
  DisplaySettings(const DisplaySettings&) = delete;
  DisplaySettings& operator=(const DisplaySettings&) = delete;
  ~DisplaySettings() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) apply(it->first, it->second);
  }
  // The monitor at (x, y) in screen pixels with a width x height mode.
  bool set(const std::wstring& device, LONG x, LONG y, DWORD width, DWORD height) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(device.c_str(), ENUM_CURRENT_SETTINGS, &mode)) return false;
    saved_.emplace_back(device, mode);
    mode.dmPosition = POINTL{x, y};
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return apply(device, mode);
  }

 private:
  static bool apply(const std::wstring& device, DEVMODEW mode) {
    mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(device.c_str(), &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
  }
  std::vector<std::pair<std::wstring, DEVMODEW>> saved_;
};

// The second monitor beside the primary, on its left or its right, tops level.
bool place_second(DisplaySettings& settings, bool left) {
  const std::vector<Monitor> list = monitors();
  const Monitor* second = second_of(list);
  if (!second) return false;
  const RECT& p = primary_of(list).rect;
  const RECT& s = second->rect;
  const LONG x = left ? p.left - (s.right - s.left) : p.right;
  if (s.left == x && s.top == p.top) return true;
  return settings.set(second->device, x, p.top, s.right - s.left, s.bottom - s.top);
}

// The largest mode of the primary monitor smaller both ways than the current one.
bool smaller_primary_mode(const Monitor& primary, DWORD& width, DWORD& height) {
  DEVMODEW mode = {};
  mode.dmSize = sizeof mode;
  const DWORD now_width = primary.rect.right - primary.rect.left;
  const DWORD now_height = primary.rect.bottom - primary.rect.top;
  width = height = 0;
  for (DWORD i = 0; EnumDisplaySettingsW(primary.device.c_str(), i, &mode); ++i) {
    if (mode.dmPelsWidth < now_width && mode.dmPelsHeight < now_height &&
        mode.dmPelsWidth * mode.dmPelsHeight > width * height) {
      width = mode.dmPelsWidth;
      height = mode.dmPelsHeight;
    }
  }
  return width != 0;
}

// Tessarine.scr /s started from a folder of its own, and the renderer it starts.
class Saver {
 public:
  Saver() {
    EXPECT_TRUE(wait_for_no_window(kRendererTitle)) << "an earlier renderer window is still open";
    shell_ = copy_.start(L"/s");
    EXPECT_TRUE(shell_.started());
    if (HWND window = wait_for_window(kRendererTitle, kStartTimeout, kRendererClass)) {
      DWORD id = 0;
      GetWindowThreadProcessId(window, &id);
      renderer_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    }
  }
  ~Saver() {
    if (HWND window = FindWindowW(kRendererClass, kRendererTitle)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (renderer_) CloseHandle(renderer_);
  }
  Saver(const Saver&) = delete;
  Saver& operator=(const Saver&) = delete;

  // The renderer's window once it passes `pred`, or null.
  HWND wait_for(bool (*pred)(HWND), Millis timeout = kStartTimeout) const {
    HWND found = nullptr;
    wait_until([&] { return (found = FindWindowW(kRendererClass, kRendererTitle)) && pred(found); }, timeout);
    return found && pred(found) ? found : nullptr;
  }

  // Escape ends the renderer with 1, and the saver run after it.
  void expect_escape_ends_both(HWND window) {
    ASSERT_NE(renderer_, nullptr);
    post_key_up(window, VK_ESCAPE);
    ASSERT_EQ(WaitForSingleObject(renderer_, 30000), WAIT_OBJECT_0) << "the renderer is still running";
    DWORD code = 0;
    GetExitCodeProcess(renderer_, &code);
    EXPECT_EQ(code, 1u);
    EXPECT_TRUE(shell_.wait()) << "the saver run did not end";
  }

 private:
  ShellCopy copy_;
  Process shell_;
  HANDLE renderer_ = nullptr;
};

RECT inside(const RECT& rect, const RECT& origin) {
  return RECT{rect.left - origin.left, rect.top - origin.top, rect.right - origin.left, rect.bottom - origin.top};
}

// Where the picture runs on across a seam, the two pixel columns that meet
// there match row by row but for a few edges; two pictures that do not
// belong together differ in dozens of rows.
std::string judge_seam(const Picture& shot, LONG left_column, LONG top, LONG bottom) {
  int lines = 0;
  int differing = 0;
  for (LONG y = top; y < bottom; ++y) {
    const int a = GetGValue(shot.at(left_column, y));
    const int b = GetGValue(shot.at(left_column + 1, y));
    lines += a >= 60;
    differing += std::abs(a - b) > 40;
  }
  if (lines >= 30 && differing <= 20) return "";
  return " seam at " + std::to_string(left_column) + ": " + std::to_string(lines) + " line rows, " +
         std::to_string(differing) + " differing";
}

// What the screen should show with the saver over every monitor; empty when
// it does, else what is wrong.
std::string judge_screen(const std::vector<Monitor>& list, const Picture& shot, const RECT& all) {
  std::string wrong;
  if (shot.width != all.right - all.left || shot.height != all.bottom - all.top) return " no screenshot";
  const RECT primary = inside(primary_of(list).rect, all);
  const LONG horizon = (primary.top + primary.bottom) / 2;  // at the eye's height, on every monitor
  for (const Monitor& monitor : list) {
    const RECT area = inside(monitor.rect, all);
    const std::string name = " monitor " + std::to_string(monitor.rect.left) + "," + std::to_string(monitor.rect.top);
    if (horizon - 24 >= area.top && horizon + 24 <= area.bottom) {
      const Picture band = shot.part(RECT{area.left, horizon - 24, area.right, horizon + 24});
      if (bright_line_pixels(band) < area.right - area.left) wrong += name + ": no bright horizon";
    }
    if (share_near(shot.part(area), kClear[0], kClear[1], kClear[2], 3) < 0.4) wrong += name + ": little background";
    if (monitor.primary) {
      const int text = text_pixels(shot.part(RECT{area.right - 130, area.top, area.right, area.top + 70}));
      if (text < 40) wrong += name + ": " + std::to_string(text) + " text pixels at the top right";
      continue;
    }
    if (const int text = text_pixels(shot.part(area)); text != 0) wrong += name + ": text pixels " + std::to_string(text);
    const LONG top = std::max(area.top, primary.top);
    const LONG bottom = std::min(area.bottom, primary.bottom);
    if (area.left == primary.right) wrong += judge_seam(shot, primary.right - 1, top, bottom);
    if (area.right == primary.left) wrong += judge_seam(shot, primary.left - 1, top, bottom);
  }
  return wrong;
}

// Keeps the screenshot beside the test's own, named after the layout, for a
// person to look at.
void keep_screenshot(const char* layout) {
  wchar_t file[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"TESSARINE_SCREENSHOT_FILE", file, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::wstring kept(file, n);
  kept.insert(kept.size() - 4, L"-" + std::wstring(layout, layout + std::strlen(layout)));
  CopyFileW(file, kept.c_str(), FALSE);
}

void expect_flight_over_every_monitor(const char* layout) {
  SCOPED_TRACE(layout);
  const std::vector<Monitor> list = monitors();
  const RECT all = virtual_screen_rect();
  std::string wrong;
  const bool shown = wait_until([&] { return (wrong = judge_screen(list, capture_screen(all), all)).empty(); },
                                30s, 500ms);
  EXPECT_TRUE(shown) << wrong;
  keep_screenshot(layout);
}

// Steering is measured from the primary's centre, and the cursor goes back there.
void expect_cursor_back_at_the_primarys_centre() {
  const std::vector<Monitor> list = monitors();
  const RECT& p = primary_of(list).rect;
  const RECT& s = second_of(list)->rect;
  const POINT centre = {(p.left + p.right) / 2, (p.top + p.bottom) / 2};
  POINT at = {};
  SetCursorPos((s.left + s.right) / 2, (s.top + s.bottom) / 3);
  EXPECT_TRUE(wait_until([&] { return GetCursorPos(&at) && at.x == centre.x && at.y == centre.y; }, 10s))
      << "cursor at " << at.x << ", " << at.y << ", the primary's centre is " << centre.x << ", " << centre.y;
}

bool on_the_primary(HWND window) {
  return is_framed_1024_by_768(window) &&
         MonitorFromWindow(window, MONITOR_DEFAULTTONULL) == MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

// True on a desk of several monitors. A test run that offers a display with
// two (TESSARINE_MONITORS) must show them, so one is a failure there.
bool several_monitors() {
  const bool several = GetSystemMetrics(SM_CMONITORS) >= 2;
  if (!several && GetEnvironmentVariableW(L"TESSARINE_MONITORS", nullptr, 0) != 0)
    ADD_FAILURE() << "the test run offers several monitors, Windows sees one";
  return several;
}

// The saver just started: its pop-up covers every monitor with one flight and
// steers from the primary's centre; Tab gives the 1024 x 768 window on the
// primary and Tab again covers every monitor, with `window`.
void expect_cover_and_switch(const Saver& saver, const char* layout, HWND& window) {
  window = saver.wait_for(is_full_screen_popup);
  ASSERT_NE(window, nullptr) << "no pop-up over the virtual screen";
  expect_flight_over_every_monitor(layout);
  expect_cursor_back_at_the_primarys_centre();

  post_key_up(window, VK_TAB);
  HWND framed = saver.wait_for(on_the_primary);
  ASSERT_NE(framed, nullptr) << "no 1024 x 768 window on the primary after Tab";
  post_key_up(framed, VK_TAB);
  window = saver.wait_for(is_full_screen_popup);
  ASSERT_NE(window, nullptr) << "no pop-up over the virtual screen after the second Tab";
  expect_flight_over_every_monitor(layout);
}

// Started with the second monitor on the right; then, while it runs, the
// monitor moves to the left and the primary's resolution drops: the window
// follows the new virtual screen and the primary keeps its picture.
// The saver started with the second monitor on one side of the primary (the
// settings put back at the end), after its pop-up covered every monitor and
// switched with Tab both ways.
class SaverOverMonitors : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!several_monitors()) GTEST_SKIP() << "a single monitor";
  }
  void start_with_second_on(bool left, const char* layout) {
    ASSERT_TRUE(place_second(settings_, left));
    saver_.emplace();
    ASSERT_NO_FATAL_FAILURE(expect_cover_and_switch(*saver_, layout, window_));
  }

  DisplaySettings settings_;
  std::optional<Saver> saver_;
  HWND window_ = nullptr;
};

TEST_F(SaverOverMonitors, SecondMonitorRightOfThePrimaryThenChangingWhileItRuns) {
  ASSERT_NO_FATAL_FAILURE(start_with_second_on(false, "right"));

  ASSERT_TRUE(place_second(settings_, true));
  ASSERT_LT(virtual_screen_rect().left, 0);
  ASSERT_NE(saver_->wait_for(is_full_screen_popup, 10s), nullptr) << "the window did not follow the move";
  expect_flight_over_every_monitor("moved-left");

  const Monitor primary = primary_of(monitors());
  DWORD width = 0, height = 0;
  ASSERT_TRUE(smaller_primary_mode(primary, width, height));
  ASSERT_TRUE(settings_.set(primary.device, primary.rect.left, primary.rect.top, width, height));
  window_ = saver_->wait_for(is_full_screen_popup, 10s);
  ASSERT_NE(window_, nullptr) << "the window did not follow the new resolution";
  expect_flight_over_every_monitor("primary-smaller");

  saver_->expect_escape_ends_both(window_);
}

// Started with the virtual screen beginning left of the primary, at a negative x.
TEST_F(SaverOverMonitors, SecondMonitorLeftOfThePrimary) {
  ASSERT_NO_FATAL_FAILURE(start_with_second_on(true, "left"));
  saver_->expect_escape_ends_both(window_);
}

}  // namespace
}  // namespace tessarine::test
