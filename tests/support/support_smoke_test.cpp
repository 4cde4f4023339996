// The test environment itself: code page 932 and both programs in place.
#include <gtest/gtest.h>

#include "win32_gdi.h"
#include "win32_test_support.h"
#include "win32_window_class.h"

namespace tessarine::test {
namespace {

TEST(Environment, RunsUnderTheJapaneseCodePage) {
  // The settings keys are Shift-JIS bytes only under code page 932.
  EXPECT_EQ(GetACP(), 932u);
}

TEST(Environment, BothProgramsLieSideBySide) {
  EXPECT_NE(GetFileAttributesW(dist_file(L"Tessarine.scr").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW(dist_file(L"Tessarine.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Environment, ScreenCaptureSeesWhatIsShown) {
  gdi::Brush red(CreateSolidBrush(RGB(200, 30, 40)));
  ASSERT_TRUE(shell::register_window_class(L"capture_probe", DefWindowProcW, red.get()));
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"capture_probe", L"probe", WS_POPUP | WS_VISIBLE, 40, 50, 120,
                                80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);
  Picture shot;
  bool seen = wait_until(
      [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        shot = capture_screen(RECT{40, 50, 160, 130});
        return shot.width == 120 && colour_near(shot.at(60, 40), 200, 30, 40, 2);
      },
      20s, 200ms);
  EXPECT_TRUE(seen) << "centre " << (shot.width ? describe(shot.at(60, 40)) : std::string("no picture"));
  DestroyWindow(window);
}

}  // namespace
}  // namespace tessarine::test
