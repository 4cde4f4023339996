// Windows that the shell's test programs make themselves: a parent for the
// preview, and stand-ins for another instance's saver window or dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32_test_support.h"
#include "win32_window_class.h"

namespace tessarine::test {

// Handles this thread's queued and sent messages until pred holds or the
// timeout passes (a parent window must answer while another process works on
// its child).
inline bool pump_until(const std::function<bool()>& pred, Millis timeout = kStartTimeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (pred()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
  }
}

// A top-level window of this test program with a given title and outer size
// (a borderless popup, so its outer and client sizes agree). Grey, so that a
// covering child shows.
class TestWindow {
 public:
  TestWindow(const wchar_t* title, int width, int height, bool visible = true, int x = 200, int y = 150) {
    shell::register_window_class(L"TessarineTestWindow", DefWindowProcW, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    window_ = CreateWindowExW(WS_EX_NOACTIVATE, L"TessarineTestWindow", title, WS_POPUP, x, y, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (visible) {
      ShowWindow(window_, SW_SHOWNOACTIVATE);
      UpdateWindow(window_);
    }
  }
  ~TestWindow() { destroy(); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }
  void destroy() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
  }
  // The decimal handle as Windows writes it on the command line.
  std::wstring handle_text() const {
    return std::to_wstring(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window_)));
  }

 private:
  HWND window_ = nullptr;
};

// The child windows of `parent` (direct children only).
inline std::vector<HWND> children_of(HWND parent) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) found.push_back(child);
  return found;
}

// A window's rectangle in its parent's client coordinates.
inline RECT rect_in_parent(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace tessarine::test
