// The saver with the real renderer: Tessarine.scr /s starts Tessarine.dll,
// and the release of Escape in the renderer ends both.
#include <gtest/gtest.h>

#include <cstdio>

#include "shell_copy.h"
#include "win32_test_support.h"
#include "window_titles.h"

namespace tessarine::test {
namespace {

TEST(SaverWithRenderer, EscapeInTheRendererEndsBoth) {
  ASSERT_EQ(find_window(kRendererTitle), nullptr) << "a renderer window is left from elsewhere";
  ShellCopy copy;
  Process shell = copy.start(L"/s");
  ASSERT_TRUE(shell.started());
  HWND renderer = wait_for_window(kRendererTitle, kStartTimeout, L"opengl demo");
  ASSERT_NE(renderer, nullptr) << "the renderer's window did not appear";
  DWORD renderer_id = 0;
  GetWindowThreadProcessId(renderer, &renderer_id);
  HANDLE renderer_process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, renderer_id);
  ASSERT_NE(renderer_process, nullptr);
  EXPECT_NE(renderer_id, shell.id());
  EXPECT_TRUE(wait_until([&] { return IsWindowVisible(renderer) != FALSE; }, kStartTimeout));
  EXPECT_FALSE(shell.wait(2s)) << "the run ended while the renderer was drawing";

  const ULONGLONG pressed = GetTickCount64();
  post_key_up(renderer, VK_ESCAPE);
  EXPECT_EQ(WaitForSingleObject(renderer_process, 30000), WAIT_OBJECT_0);
  DWORD renderer_code = 0;
  GetExitCodeProcess(renderer_process, &renderer_code);
  CloseHandle(renderer_process);
  EXPECT_EQ(renderer_code, 1u);
  const double renderer_gone = (GetTickCount64() - pressed) / 1000.0;
  EXPECT_TRUE(shell.wait());
  EXPECT_EQ(shell.exit_code(), 0u);
  std::printf("after the release of Escape: renderer ended %.2f s, shell ended %.2f s\n", renderer_gone,
              (GetTickCount64() - pressed) / 1000.0);
}

}  // namespace
}  // namespace tessarine::test
