// A running renderer and what the tests read from its window and picture.
#include "renderer_test_support.h"

#include <gtest/gtest.h>

#include "win32_gdi.h"

namespace tessarine::test {

RECT screen_rect() {
  SetProcessDPIAware();
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT virtual_screen_rect() {
  SetProcessDPIAware();
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Renderer::Renderer(const std::wstring& arguments) {
  // A window left by an earlier test would be taken for this one.
  EXPECT_TRUE(wait_for_no_window(kRendererTitle)) << "an earlier renderer window is still open";
  process_ = Process::start(dist_file(L"Tessarine.dll"), arguments);
  EXPECT_TRUE(process_.started()) << "Tessarine.dll did not start";
  EXPECT_NE(wait_for_window([](HWND) { return true; }), nullptr) << "no window titled Tessarine_VC";
}

HWND Renderer::window() const {
  for (HWND candidate : windows_of(process_.id())) {
    if (window_title(candidate) == kRendererTitle) return candidate;
  }
  return nullptr;
}

HWND Renderer::wait_for_window(const std::function<bool(HWND)>& pred, Millis timeout) const {
  HWND found = nullptr;
  wait_until(
      [&] {
        found = window();
        return found && pred(found);
      },
      timeout);
  return found && pred(found) ? found : nullptr;
}

double Renderer::cpu_seconds() const {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process_.handle(), &created, &ended, &kernel, &user)) return -1.0;
  auto seconds = [](const FILETIME& time) {
    return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

long long Renderer::frames_drawn() const {
  HWND current = window();
  return current ? static_cast<long long>(reinterpret_cast<INT_PTR>(GetPropW(current, L"TessarineFrames"))) : 0;
}

bool Renderer::stops_drawing() const {
  return wait_until(
      [&] {
        const long long before = frames_drawn();
        Sleep(1000);
        return frames_drawn() == before;
      },
      10s);
}

bool Renderer::draws_on() const {
  const long long before = frames_drawn();
  return wait_until([&] { return frames_drawn() >= before + 10; }, 10s);
}

bool is_full_screen_popup(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const RECT screen = virtual_screen_rect();
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return EqualRect(&rect, &screen) && (style & WS_POPUP) && (style & WS_VISIBLE) && !(style & WS_CAPTION);
}

bool is_framed_1024_by_768(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return rect.right - rect.left == 1024 && rect.bottom - rect.top == 768 &&
         (style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW && (style & WS_VISIBLE) && !(style & WS_POPUP);
}

double share_near(const Picture& picture, int r, int g, int b, int tolerance) {
  if (picture.pixels.empty()) return 0.0;
  size_t matching = 0;
  for (COLORREF colour : picture.pixels) matching += colour_near(colour, r, g, b, tolerance);
  return static_cast<double>(matching) / static_cast<double>(picture.pixels.size());
}

// The text is (0.1, 1.0, 0.1) at alpha 0.4: about (10, 117, 41) over the
// background; every line and the background have no red at all.
int text_pixels(const Picture& picture) {
  int count = 0;
  for (COLORREF colour : picture.pixels) count += GetRValue(colour) >= 5 && GetGValue(colour) >= 60;
  return count;
}

int bright_line_pixels(const Picture& picture, COLORREF lines) {
  // Dark: below the background's blue (51) even where a line hardly covers it.
  const auto fits = [](int channel, int line) { return line != 0 ? channel >= 150 : channel < 60; };
  int count = 0;
  for (COLORREF colour : picture.pixels) {
    count += fits(GetRValue(colour), GetRValue(lines)) && fits(GetGValue(colour), GetGValue(lines)) &&
             fits(GetBValue(colour), GetBValue(lines));
  }
  return count;
}

Picture picture_of(HBITMAP bitmap) {
  Picture picture;
  BITMAP shape = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape)) return picture;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = -shape.bmHeight;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> bits(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
  const gdi::WindowDc screen(nullptr);
  const int rows = GetDIBits(screen.get(), bitmap, 0, shape.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
  if (rows != shape.bmHeight) return picture;
  picture.width = shape.bmWidth;
  picture.height = shape.bmHeight;
  for (DWORD v : bits) picture.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
  return picture;
}

}  // namespace tessarine::test
