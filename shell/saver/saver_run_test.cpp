// The saver run against a scripted music device and a recording host: the
// order of its load and end, the music timers, and the renderer watch.
#include "saver_run.h"

#include <gtest/gtest.h>

#include <functional>

#include "scripted_device.h"

namespace tessarine::shell {
namespace {

using namespace std::chrono_literals;
using Calls = std::vector<std::string>;

TEST(FileKind, ComesFromTheLastThreeLettersInAnyCase) {
  EXPECT_EQ(file_kind(L"C:\\m\\a.Mp3"), FileKind::Mp3);
  EXPECT_EQ(file_kind(L"C:\\m\\a.wav"), FileKind::Wav);
  EXPECT_EQ(file_kind(L"C:\\m\\a.mid"), FileKind::Other);
  EXPECT_EQ(file_kind(L"C:\\m\\amp3"), FileKind::Mp3);  // nothing else of the name counts
  EXPECT_EQ(file_kind(L"a.mp3 "), FileKind::Other);
  EXPECT_EQ(file_kind(L""), FileKind::Other);
}

TEST(RendererWatch, WaitsForTheWindowToAppearAtMostTenSeconds) {
  RendererWatch slow;
  slow.start(1000ms);
  EXPECT_FALSE(slow.tick(false, true, 1500ms));
  EXPECT_FALSE(slow.tick(false, true, 10500ms));
  EXPECT_FALSE(slow.tick(true, true, 10900ms));  // appeared late: the run goes on

  RendererWatch never;
  never.start(1000ms);
  EXPECT_FALSE(never.tick(false, true, 10999ms));
  EXPECT_TRUE(never.tick(false, true, 11000ms));

  RendererWatch unstarted;  // a tick that comes before the run's start
  EXPECT_FALSE(unstarted.tick(false, false, 5h));
}

TEST(RendererWatch, EndsAtOnceWhenTheRendererProcessHasEnded) {
  RendererWatch ended;
  ended.start(1000ms);
  EXPECT_FALSE(ended.tick(true, true, 1500ms));
  EXPECT_TRUE(ended.tick(false, false, 2000ms));  // at the first tick, not the second

  RendererWatch failed;  // the renderer could not be started
  failed.start(1000ms);
  EXPECT_TRUE(failed.tick(false, false, 1500ms));
}

// Records the host's actions into the device's log, so that one list shows
// the order of commands, timers, cursor and end.
class RecordingHost : public SaverHost {
 public:
  explicit RecordingHost(music::ScriptedDevice& device) : log_(device.calls) {}
  // Logs the command line; the program's path is kept apart.
  void start_program(const std::wstring& path, const std::wstring& command_line) override {
    started_path = path;
    log_.push_back("start " + std::string(command_line.begin(), command_line.end()));
  }
  bool renderer_running() override { return running; }
  bool renderer_window_exists() override { return window; }
  // A drive that is away: its files do not open.
  bool file_exists(const std::wstring& path) override { return path.rfind(L"E:", 0) != 0; }
  bool set_timer(SaverTimer timer, bool enabled) override {
    log_.push_back("Timer" + std::to_string(static_cast<int>(timer) + 1) + (enabled ? " on" : " off"));
    return timers_work;
  }
  int32_t show_cursor(int32_t show) override {
    log_.push_back("ShowCursor " + std::to_string(show));
    return show != 0 ? 0 : -1;
  }
  Millis now() override { return clock; }
  void end_program() override { log_.push_back("end"); }

  bool running = true;
  bool window = false;
  bool timers_work = true;
  Millis clock{0};
  std::wstring started_path;

 private:
  std::vector<std::string>& log_;
};

// A device that lets other work run while it handles a command, as MCI may
// pump the window's messages while it opens a file.
class PumpingDevice : public music::ScriptedDevice {
 public:
  uint32_t send_string(const wchar_t* command, wchar_t* reply, uint32_t reply_size) override {
    const uint32_t code = ScriptedDevice::send_string(command, reply, reply_size);
    if (while_sending) while_sending(to_utf8(command));
    return code;
  }
  std::function<void(const std::string& command)> while_sending;
};

class SaverRunTest : public ::testing::Test {
 protected:
  void settings(int16_t kind, std::wstring file, const std::wstring& arguments = L"/s") {
    module.settings.BgmKind = kind;
    module.settings.BgmFile = std::move(file);
    module.arguments = arguments;
    module.CursorCount = -1;
  }

  PumpingDevice device;
  RecordingHost host{device};
  StartupModule module;
  music::Bgm bgm{device, module.settings};
  SaverRun run{host, bgm, module, L"C:\\Saver Folder\\Tessarine.dll"};
};

TEST_F(SaverRunTest, Mp3PlaysFromTheLoadAndIsClosedBeforeTheEnd) {
  settings(kBgmFile, L"C:\\m\\a.Mp3");
  run.Load();
  EXPECT_EQ(device.take(), (Calls{"Timer3 on", "start C:\\Saver Folder\\Tessarine.dll",
                                  "open \"C:\\m\\a.Mp3\" type MPEGVideo Alias MP3Play [0]",
                                  "play MP3Play notify [0]", "Timer1 on"}));
  run.Mp3Notify(true);  // the file played to its end
  EXPECT_EQ(device.take(), (Calls{"stop MP3Play [0]", "play MP3Play from 0 notify [0]"}));
  device.answer("status MP3Play mode", {{0, "stopped"}});
  run.Timer1Tick();  // a device that gives no notice
  EXPECT_EQ(device.take(),
            (Calls{"status MP3Play mode [30]", "stop MP3Play [0]", "play MP3Play from 0 notify [0]"}));

  run.QueryUnload();
  EXPECT_EQ(device.take(),
            (Calls{"Timer1 off", "stop MP3Play [0]", "close MP3Play [0]", "ShowCursor -1", "end"}));
  EXPECT_EQ(module.CursorCount, 0);
  // What the stop reports, or an end just before it, starts nothing again.
  run.Mp3Notify(false);
  run.Mp3Notify(true);
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(SaverRunTest, WavLoopsByItselfAndPlainStartLeavesTheCursor) {
  settings(kBgmFile, L"C:\\m\\a.wav", L"");
  run.Load();
  // Played as the file itself, never as an alias or the system's default sound.
  const uint32_t flags = music::kSndAsync | music::kSndLoop | music::kSndFilename | music::kSndNoDefault;
  EXPECT_EQ(device.take(), (Calls{"Timer3 on", "start C:\\Saver Folder\\Tessarine.dll",
                                  "sound C:\\m\\a.wav " + std::to_string(flags)}));
  run.Timer1Tick();
  EXPECT_TRUE(device.calls.empty());
  run.QueryUnload();
  EXPECT_EQ(device.take(), (Calls{"sound null 0", "end"}));
}

TEST_F(SaverRunTest, OtherFilesFilesAwayAndNoMusicPlayNothing) {
  for (auto [kind, file] : {std::pair{kBgmFile, L"C:\\m\\a.mid"}, std::pair{kBgmFile, L"E:\\m\\a.mp3"},
                            std::pair{kBgmFile, L"E:\\m\\a.wav"}, std::pair{kBgmNone, L"C:\\m\\a.mp3"}}) {
    music::ScriptedDevice d;
    RecordingHost h{d};
    StartupModule m;
    m.settings.BgmKind = kind;
    m.settings.BgmFile = file;
    m.arguments = L"/S";
    music::Bgm b{d, m.settings};
    SaverRun r{h, b, m, L"C:\\Tessarine.dll"};
    r.Load();
    r.QueryUnload();
    EXPECT_EQ(d.calls, (Calls{"Timer3 on", "start C:\\Tessarine.dll", "ShowCursor 0", "end"}));
  }
}

// The path alone for the standard picture, as every earlier version started
// the renderer; the quoted path before the options otherwise.
TEST_F(SaverRunTest, TheRendererIsStartedWithThePicturesOptions) {
  settings(kBgmNone, L"");
  module.settings.picture.speed = 1.5;
  module.settings.picture.end_on_input = true;
  run.Load();
  EXPECT_EQ(device.take(),
            (Calls{"Timer3 on", "start \"C:\\Saver Folder\\Tessarine.dll\" --speed 1.5 --end-on-input"}));
  EXPECT_EQ(host.started_path, L"C:\\Saver Folder\\Tessarine.dll");

  const std::wstring path = L"C:\\Saver Folder\\Tessarine.dll";
  EXPECT_EQ(renderer_command_line(path, {0.25, 3, 0xFF8000, 30, false, false}),
            L"\"" + path + L"\" --speed 0.25 --density 3 --colour FF8000 --max-fps 30 --no-fps");
}

TEST_F(SaverRunTest, CdWatchSwitchesItselfOffWhenThereIsNoDrive) {
  settings(kBgmCd, L"");
  device.answer("open cdaudio", {{266, ""}});
  device.answer("status cdaudio current track", {{263, ""}});
  run.Load();
  EXPECT_EQ(device.take(), (Calls{"Timer3 on", "start C:\\Saver Folder\\Tessarine.dll", "open cdaudio [0]",
                                  "set cdaudio time format tmsf [0]", "Timer2 on"}));
  run.Timer2Tick();
  EXPECT_EQ(device.take(), (Calls{"status cdaudio current track [512]", "Timer2 off"}));
  run.Timer2Tick();  // a tick already queued
  EXPECT_TRUE(device.calls.empty());
  // The device is left as it is once the watch has stopped.
  run.QueryUnload();
  EXPECT_EQ(device.take(), (Calls{"ShowCursor -1", "end"}));
}

TEST_F(SaverRunTest, CdIsStoppedAndClosedWhileItsWatchRuns) {
  settings(kBgmCd, L"");
  device.answer("status cdaudio mode", {{0, "playing"}});
  run.Load();
  run.Timer2Tick();
  device.take();
  EXPECT_TRUE(run.timer_enabled(SaverTimer::Timer2));
  run.QueryUnload();
  EXPECT_EQ(device.take(), (Calls{"Timer2 off", "stop cdaudio [0]", "close cdaudio [0]", "ShowCursor -1", "end"}));
}

TEST_F(SaverRunTest, ATickWhileTheMusicOpensSlowlyDoesNotEndTheRun) {
  settings(kBgmFile, L"C:\\m\\a.mp3");
  host.clock = 5h;  // the machine has been up for a while
  device.while_sending = [&](const std::string& command) {
    if (command.rfind("open ", 0) != 0) return;
    host.clock += 3s;
    run.Timer3Tick();
  };
  run.Load();
  EXPECT_EQ(device.take(), (Calls{"Timer3 on", "start C:\\Saver Folder\\Tessarine.dll",
                                  "open \"C:\\m\\a.mp3\" type MPEGVideo Alias MP3Play [0]", "play MP3Play notify [0]",
                                  "Timer1 on"}));
  // The renderer's ten seconds count from the start, the open included.
  host.clock = 5h + 9500ms;
  run.Timer3Tick();
  EXPECT_TRUE(device.calls.empty());
  host.clock = 5h + 10s;
  run.Timer3Tick();
  EXPECT_EQ(device.take(),
            (Calls{"Timer3 off", "Timer1 off", "stop MP3Play [0]", "close MP3Play [0]", "ShowCursor -1", "end"}));
}

TEST_F(SaverRunTest, WithoutItsWatchTheRunEndsBeforeStartingAnything) {
  // The watch's timer cannot be set (the hidden window was not made): the
  // run could never notice the renderer's end.
  host.timers_work = false;
  settings(kBgmFile, L"C:\\m\\a.mp3");
  run.Load();
  EXPECT_EQ(device.take(), (Calls{"Timer3 on", "ShowCursor -1", "end"}));
  EXPECT_EQ(module.CursorCount, 0);

  settings(kBgmCd, L"", L"");  // a plain start leaves the cursor alone
  run.Load();
  EXPECT_EQ(device.take(), (Calls{"Timer3 on", "end"}));
}

TEST_F(SaverRunTest, EndsOnlyOnceTheRendererWindowHasGone) {
  settings(kBgmFile, L"C:\\m\\a.mp3");
  host.clock = 100ms;
  run.Load();
  device.take();
  const auto tick = [&](bool window) {
    host.clock += 500ms;
    host.window = window;
    run.Timer3Tick();
    return device.take();
  };
  EXPECT_TRUE(tick(false).empty());  // not open yet
  EXPECT_TRUE(tick(true).empty());
  EXPECT_TRUE(tick(false).empty());  // a switch between full screen and a window
  EXPECT_TRUE(tick(true).empty());
  EXPECT_TRUE(tick(false).empty());
  EXPECT_EQ(tick(false),
            (Calls{"Timer3 off", "Timer1 off", "stop MP3Play [0]", "close MP3Play [0]", "ShowCursor -1", "end"}));
  EXPECT_FALSE(run.timer_enabled(SaverTimer::Timer3));
}

}  // namespace
}  // namespace tessarine::shell
