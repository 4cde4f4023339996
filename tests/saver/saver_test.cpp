// The saver run end to end: the real Tessarine.scr /s with a stand-in
// renderer as Tessarine.dll, watched through their windows and exit codes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "win32_test_support.h"

namespace tessarine::test {
namespace {

// BGM区分 and BGMﾌｧｲﾙ in the settings file.
const std::wstring kKeyKind = L"BGM\u533A\u5206";
const std::wstring kKeyFile = L"BGM\uFF8C\uFF67\uFF72\uFF99";

std::wstring test_renderer() {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\')) + L"\\test_renderer.exe";
}

// One second of a 440 Hz tone, 16-bit mono PCM.
std::string tone_wav() {
  const uint32_t rate = 22050, samples = rate;
  std::string data;
  for (uint32_t i = 0; i < samples; ++i) {
    const auto v = static_cast<int16_t>(12000 * std::sin(2 * 3.14159265 * 440 * i / rate));
    data += static_cast<char>(v & 0xFF);
    data += static_cast<char>((v >> 8) & 0xFF);
  }
  auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
  return "RIFF" + u32(36 + static_cast<uint32_t>(data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
         u32(rate * 2) + u16(2) + u16(16) + "data" + u32(static_cast<uint32_t>(data.size())) + data;
}

class SaverRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(find_window(L"Tessarine_VC"), nullptr) << "a renderer window is left from elsewhere";
    ASSERT_TRUE(folder.copy_in(dist_file(L"Tessarine.scr")));
    ASSERT_TRUE(folder.copy_in(test_renderer(), L"Tessarine.dll"));
  }

  void TearDown() override {
    // A renderer left behind would keep the next run alive.
    if (HWND window = find_window(L"Tessarine_VC")) PostMessageW(window, WM_CLOSE, 0, 0);
    wait_for_no_window(L"Tessarine_VC");
    shell.kill();
  }

  void renderer_behaves(const std::string& settings) {
    ASSERT_TRUE(write_file_bytes(folder.file(L"test_renderer.txt"), settings));
  }

  // The settings file in the ANSI code page, as the shell reads it.
  void music(int kind, const std::wstring& file) {
    std::wstring text = L"[Section]\r\n" + kKeyKind + L"= " + std::to_wstring(kind) + L"\r\n";
    if (!file.empty()) text += kKeyFile + L"=" + file + L"\r\n";
    ASSERT_TRUE(write_file_bytes(folder.file(L"Tessarine.ini"), to_ansi(text)));
  }

  void start_saver() {
    shell = Process::start(folder.file(L"Tessarine.scr"), L"/s");
    ASSERT_TRUE(shell.started());
    ASSERT_NE(wait_for_window(L"Tessarine_Main"), nullptr);
  }

  HWND wait_for_renderer() {
    HWND window = wait_for_window(L"Tessarine_VC");
    EXPECT_NE(window, nullptr);
    return window;
  }

  // Releases Escape in the renderer and waits for the shell to end. (Under
  // Wine without a window manager the renderer's window takes about two
  // seconds to go; the shell's part is the time after that.)
  void escape_and_time_the_end() {
    HWND renderer = find_window(L"Tessarine_VC");
    EXPECT_NE(renderer, nullptr);
    DWORD renderer_id = 0;
    GetWindowThreadProcessId(renderer, &renderer_id);
    const ULONGLONG pressed = GetTickCount64();
    post_key_up(renderer, VK_ESCAPE);
    EXPECT_TRUE(wait_for_no_window(L"Tessarine_VC"));
    const double gone = (GetTickCount64() - pressed) / 1000.0;
    EXPECT_TRUE(wait_for_no_window(L"Tessarine_Main"));
    const double main_gone = (GetTickCount64() - pressed) / 1000.0;
    EXPECT_TRUE(shell.wait());
    const double seconds = (GetTickCount64() - pressed) / 1000.0;
    std::printf("after the release of Escape: renderer window gone %.2f s, saver window gone %.2f s, shell ended %.2f s\n",
                gone, main_gone, seconds);
  }

  TempFolder folder;
  Process shell;
};

TEST_F(SaverRun, RunsUntilEscapeIsReleasedInTheRenderer) {
  renderer_behaves("open_after_ms=0\n");
  ASSERT_TRUE(write_file_bytes(folder.file(L"tone.wav"), tone_wav()));
  music(2, folder.file(L"tone.wav"));
  start_saver();

  HWND main_window = find_window(L"Tessarine_Main");
  DWORD owner = 0;
  GetWindowThreadProcessId(main_window, &owner);
  EXPECT_EQ(owner, shell.id());
  EXPECT_FALSE(IsWindowVisible(main_window));

  HWND renderer = wait_for_renderer();
  EXPECT_TRUE(IsWindowVisible(renderer));
  // Started by its path alone, without quotes or arguments.
  std::string command_line;
  wait_until([&] { return !(command_line = read_file_bytes(folder.file(L"renderer_command_line.txt"))).empty(); },
             kStartTimeout);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(command_line.data()), command_line.size() / 2),
            folder.file(L"Tessarine.dll"));

  EXPECT_FALSE(shell.wait(2s)) << "the run ended while the renderer was showing";
  escape_and_time_the_end();
  // Ended on its own, with the sound stopped first (no crash on the way out).
  EXPECT_EQ(shell.exit_code(), 0u);
}

TEST_F(SaverRun, ARendererSlowToOpenItsWindowKeepsTheRun) {
  renderer_behaves("open_after_ms=4000\n");
  start_saver();
  HWND renderer = wait_for_renderer();
  ASSERT_NE(renderer, nullptr);
  EXPECT_TRUE(shell.running()) << "the run ended before the renderer's window appeared";
  escape_and_time_the_end();
  EXPECT_EQ(shell.exit_code(), 0u);
}

TEST_F(SaverRun, SwitchesBetweenFullScreenAndAWindowDoNotEndTheRun) {
  // Each switch leaves no window for a moment, longer than many a 500 ms
  // tick would need to fall into it.
  renderer_behaves("gaps=4\ngap_ms=350\ngap_every_ms=700\n");
  start_saver();
  ASSERT_NE(wait_for_renderer(), nullptr);
  EXPECT_TRUE(wait_until([&] { return !read_file_bytes(folder.file(L"gaps_done.txt")).empty(); }, 60s));
  ASSERT_NE(wait_for_renderer(), nullptr);
  EXPECT_FALSE(shell.wait(1500ms)) << "the run ended during a switch";
  escape_and_time_the_end();
  EXPECT_EQ(shell.exit_code(), 0u);
}

TEST_F(SaverRun, AnyProgramsRendererWindowKeepsTheRunAlive) {
  renderer_behaves("open_after_ms=0\n");
  music(1, L"");  // no CD drive here: the watch switches itself off
  start_saver();
  HWND renderer = wait_for_renderer();
  ASSERT_NE(renderer, nullptr);

  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"another renderer";
  RegisterClassW(&window_class);
  HWND other = CreateWindowExW(0, L"another renderer", L"Tessarine_VC", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  post_key_up(renderer, VK_ESCAPE);
  EXPECT_TRUE(wait_until([&] { return !IsWindow(renderer); }, kStartTimeout));
  EXPECT_FALSE(shell.wait(2500ms)) << "the run ended although a window Tessarine_VC exists";
  for (HWND window : windows_of(shell.id())) {
    EXPECT_FALSE(IsWindowVisible(window)) << "the shell showed a window";
  }

  DestroyWindow(other);
  EXPECT_TRUE(shell.wait());
  EXPECT_EQ(shell.exit_code(), 0u);
}

TEST_F(SaverRun, ARendererThatNeverOpensAWindowEndsTheRunAfterTenSeconds) {
  renderer_behaves("open_after_ms=-1\nexit_after_ms=20000\n");
  start_saver();
  const ULONGLONG started = GetTickCount64();
  EXPECT_FALSE(shell.wait(5s)) << "gave up on the renderer too soon";
  EXPECT_TRUE(shell.wait(30s));
  std::printf("the run ended %.1f s after the saver window appeared\n", (GetTickCount64() - started) / 1000.0);
  EXPECT_EQ(shell.exit_code(), 0u);
}

TEST_F(SaverRun, ClosingTheSaverWindowEndsTheShellButNotTheRenderer) {
  renderer_behaves("open_after_ms=0\n");
  start_saver();
  HWND renderer = wait_for_renderer();
  ASSERT_NE(renderer, nullptr);
  PostMessageW(find_window(L"Tessarine_Main"), WM_CLOSE, 0, 0);
  EXPECT_TRUE(shell.wait());
  EXPECT_EQ(shell.exit_code(), 0u);
  EXPECT_TRUE(IsWindow(renderer)) << "the shell closed the renderer";
}

}  // namespace
}  // namespace tessarine::test
