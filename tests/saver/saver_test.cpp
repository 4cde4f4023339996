// The saver run end to end: the real Tessarine.scr /s with a stand-in
// renderer as Tessarine.dll, watched through their windows and exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "../shell/shell_test_windows.h"
#include "shell_copy.h"
#include "win32_test_support.h"
#include "window_titles.h"

namespace tessarine::test {
namespace {

// A file built beside this test program.
std::wstring beside_test(const std::wstring& name) {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\')) + L"\\" + name;
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

// A global hook that refuses to let any program create a window titled
// "Tessarine_Main", as a program guarding the desktop may.
class SaverWindowRefused {
 public:
  SaverWindowRefused() : module_(LoadLibraryW(beside_test(L"refuse_window_hook.dll").c_str())) {
    const auto hook = reinterpret_cast<HOOKPROC>(GetProcAddress(module_, "refuse_saver_window"));
    if (hook) hook_ = SetWindowsHookExW(WH_CBT, hook, module_, 0);
  }
  ~SaverWindowRefused() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (module_) FreeLibrary(module_);
  }
  SaverWindowRefused(const SaverWindowRefused&) = delete;
  SaverWindowRefused& operator=(const SaverWindowRefused&) = delete;
  bool active() const { return hook_ != nullptr; }

 private:
  HMODULE module_ = nullptr;
  HHOOK hook_ = nullptr;
};

class SaverRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(find_window(kRendererTitle), nullptr) << "a renderer window is left from elsewhere";
    install_in(L"");
  }

  // Puts the shell and the stand-in renderer into a folder of the given name
  // (none: the temporary folder itself), the run's home.
  void install_in(const std::wstring& folder_name) { copy.emplace(beside_test(L"test_renderer.exe"), folder_name); }
  std::wstring file(const std::wstring& name) const { return copy->file(name); }

  void TearDown() override {
    // A renderer left behind would keep the next run alive.
    if (HWND window = find_window(kRendererTitle)) PostMessageW(window, WM_CLOSE, 0, 0);
    wait_for_no_window(kRendererTitle);
    shell.kill();
  }

  void renderer_behaves(const std::string& settings) {
    ASSERT_TRUE(write_file_bytes(file(L"test_renderer.txt"), settings));
  }

  // The renderer's command line, once it has written it.
  std::wstring renderer_command_line() const {
    std::string line;
    wait_until([&] { return !(line = read_file_bytes(file(L"renderer_command_line.txt"))).empty(); }, kStartTimeout);
    return std::wstring(reinterpret_cast<const wchar_t*>(line.data()), line.size() / 2);
  }

  void start_saver() {
    shell = copy->start(L"/s");
    ASSERT_TRUE(shell.started());
    ASSERT_NE(wait_for_window(kSaverTitle), nullptr);
  }

  // The renderer's window, once it shows.
  HWND wait_for_renderer() {
    HWND window = wait_for_window(kRendererTitle);
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(wait_until([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout));
    return window;
  }

  // Releases Escape in the renderer: the shell follows the renderer's window
  // out within 1.2 s (two 500 ms ticks find it missing).
  void escape_and_time_the_end() {
    HWND renderer = find_window(kRendererTitle);
    EXPECT_NE(renderer, nullptr);
    const ULONGLONG pressed = GetTickCount64();
    post_key_up(renderer, VK_ESCAPE);
    EXPECT_TRUE(wait_until([] { return find_window(kRendererTitle) == nullptr; }, kStartTimeout, 5ms));
    const ULONGLONG gone = GetTickCount64();
    EXPECT_TRUE(shell.wait());
    const ULONGLONG ended = GetTickCount64();
    std::printf("after the release of Escape: renderer window gone %.2f s, shell ended %.2f s after that\n",
                (gone - pressed) / 1000.0, (ended - gone) / 1000.0);
    EXPECT_LE(ended - gone, 1200u) << "the shell outlived the renderer's window";
  }

  // The run lives on while the renderer shows (watched for `watch`), until
  // the release of Escape ends it by itself.
  void expect_run_until_escape(Millis watch, const char* while_what) {
    EXPECT_FALSE(shell.wait(watch)) << "the run ended " << while_what;
    escape_and_time_the_end();
    EXPECT_EQ(shell.exit_code(), 0u);
  }

  std::optional<ShellCopy> copy;
  Process shell;
};

TEST_F(SaverRun, RunsUntilEscapeIsReleasedInTheRenderer) {
  // From a folder whose name code page 932 cannot spell.
  install_in(L"caf\u00E9");
  renderer_behaves("open_after_ms=0\n");
  ASSERT_TRUE(write_file_bytes(file(L"tone.wav"), tone_wav()));
  copy->write_settings(2, 0, file(L"tone.wav"));
  start_saver();

  HWND main_window = find_window(kSaverTitle);
  DWORD owner = 0;
  GetWindowThreadProcessId(main_window, &owner);
  EXPECT_EQ(owner, shell.id());
  EXPECT_FALSE(IsWindowVisible(main_window));

  HWND renderer = wait_for_renderer();
  EXPECT_TRUE(IsWindowVisible(renderer));
  // Started by its path alone, without quotes or arguments.
  EXPECT_EQ(renderer_command_line(), file(L"Tessarine.dll"));

  // Ended on its own, with the sound stopped first (no crash on the way out).
  expect_run_until_escape(2s, "while the renderer was showing");
}

// The picture's settings reach the renderer as its options, after its
// quoted path (here with a blank in it).
TEST_F(SaverRun, ThePicturesSettingsGiveTheRendererItsOptions) {
  install_in(L"Saver Folder");
  renderer_behaves("open_after_ms=0\n");
  copy->write_settings(0, 0, L"", {L"Speed=1.5", L"Density=3", L"Colour=ff8000", L"FrameRateLimit=30",
                                   L"ShowFrameRate=0", L"EndOnAnyInput=1"});
  start_saver();
  ASSERT_NE(wait_for_renderer(), nullptr);
  EXPECT_EQ(renderer_command_line(), L"\"" + file(L"Tessarine.dll") +
                                         L"\" --speed 1.5 --density 3 --colour FF8000 --max-fps 30 --no-fps "
                                         L"--end-on-input");
  escape_and_time_the_end();
}

TEST_F(SaverRun, ARendererSlowToOpenItsWindowKeepsTheRun) {
  renderer_behaves("open_after_ms=4000\n");
  start_saver();
  HWND renderer = wait_for_renderer();
  ASSERT_NE(renderer, nullptr);
  EXPECT_TRUE(shell.running()) << "the run ended before the renderer's window appeared";
  // Long enough for the run's ticks to see the window.
  expect_run_until_escape(1500ms, "while the renderer was showing");
}

TEST_F(SaverRun, SwitchesBetweenFullScreenAndAWindowDoNotEndTheRun) {
  // Each switch leaves no window for a moment, longer than many a 500 ms
  // tick would need to fall into it.
  renderer_behaves("gaps=4\ngap_ms=350\ngap_every_ms=700\n");
  start_saver();
  ASSERT_NE(wait_for_renderer(), nullptr);
  EXPECT_TRUE(wait_until([&] { return !read_file_bytes(file(L"gaps_done.txt")).empty(); }, 60s));
  ASSERT_NE(wait_for_renderer(), nullptr);
  expect_run_until_escape(1500ms, "during a switch");
}

// A window titled "Tessarine_VC" of another program (one left from an earlier
// run, say) is not this run's renderer: the run ends with its own.
TEST_F(SaverRun, AnotherProgramsRendererWindowDoesNotKeepTheRunAlive) {
  renderer_behaves("open_after_ms=0\n");
  copy->write_settings(1, 0, L"");  // no CD drive here: the watch switches itself off
  start_saver();
  HWND renderer = wait_for_renderer();
  ASSERT_NE(renderer, nullptr);

  TestWindow other(kRendererTitle, 10, 10, /*visible=*/false);
  ASSERT_NE(other.get(), nullptr);
  post_key_up(renderer, VK_ESCAPE);
  EXPECT_TRUE(shell.wait()) << "the other window kept the run alive";
  EXPECT_EQ(shell.exit_code(), 0u);
}

// Starts close together all pass the title check before any has made its
// window; only one may go on (several renderers, and several music streams,
// otherwise). Four make the race more likely to show.
TEST_F(SaverRun, StartsCloseTogetherGiveOneRun) {
  renderer_behaves("open_after_ms=0\n");
  std::vector<Process> starts;
  for (int i = 0; i < 4; ++i) starts.push_back(copy->start(L"/s"));
  const auto running = [&] { return std::count_if(starts.begin(), starts.end(), [](auto& p) { return p.running(); }); };
  ASSERT_TRUE(wait_until([&] { return running() <= 1; }, kStartTimeout)) << running() << " starts run the saver";
  ASSERT_EQ(running(), 1);
  for (Process& start : starts)
    if (start.running()) shell = std::move(start);
  ASSERT_NE(wait_for_renderer(), nullptr);
  int renderers = 0;
  EnumWindows(
      [](HWND window, LPARAM count) -> BOOL {
        *reinterpret_cast<int*>(count) += window_title(window) == kRendererTitle;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&renderers));
  EXPECT_EQ(renderers, 1);
  escape_and_time_the_end();
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

// However the run ends, its renderer ends with it (it would otherwise stay on
// screen, silent, under the next run's); one started by hand runs on.
TEST_F(SaverRun, ClosingTheSaverWindowLoggingOffOrKillingTheShellEndsTheRendererToo) {
  renderer_behaves("open_after_ms=0\n");
  ASSERT_TRUE(write_file_bytes(file(L"tone.wav"), tone_wav()));
  copy->write_settings(2, 0, file(L"tone.wav"));
  for (UINT message : {WM_CLOSE, WM_QUERYENDSESSION, WM_NULL}) {  // WM_NULL, then the shell killed
    SCOPED_TRACE(message == WM_CLOSE ? "a close request" : message == WM_NULL ? "killed" : "logging off");
    start_saver();
    HWND renderer = wait_for_renderer();
    ASSERT_NE(renderer, nullptr);
    DWORD renderer_id = 0;
    GetWindowThreadProcessId(renderer, &renderer_id);
    HANDLE renderer_process = OpenProcess(SYNCHRONIZE, FALSE, renderer_id);
    Process by_hand = message == WM_NULL ? Process::start(file(L"Tessarine.dll")) : Process();
    // Windows sends the log-off question and waits for the answer; the shell
    // ends instead of answering (its music stopped first, as the run's unit
    // tests show: from outside, a stop and the process's end sound alike).
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(find_window(kSaverTitle), message, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
    if (message == WM_NULL) TerminateProcess(shell.handle(), 255);
    EXPECT_TRUE(shell.wait());
    EXPECT_EQ(shell.exit_code(), message == WM_NULL ? 255u : 0u);
    EXPECT_EQ(WaitForSingleObject(renderer_process, 30000), WAIT_OBJECT_0) << "the renderer outlived its run";
    CloseHandle(renderer_process);
    if (by_hand.started()) EXPECT_FALSE(by_hand.wait(2s)) << "the renderer started by hand ended too";
  }
}

TEST_F(SaverRun, ASaverWindowThatCannotBeMadeEndsTheShellBeforeItStartsAnything) {
  renderer_behaves("open_after_ms=0\n");
  ASSERT_TRUE(write_file_bytes(file(L"tone.wav"), tone_wav()));
  copy->write_settings(2, 0, file(L"tone.wav"));
  SaverWindowRefused refused;
  ASSERT_TRUE(refused.active());
  shell = copy->start(L"/s");
  ASSERT_TRUE(shell.started());
  EXPECT_TRUE(shell.wait()) << "the shell lives on without its window";
  EXPECT_EQ(shell.exit_code(), 0u);
  EXPECT_EQ(read_file_bytes(file(L"renderer_command_line.txt")), "") << "the renderer was started";
}

}  // namespace
}  // namespace tessarine::test
