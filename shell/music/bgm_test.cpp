// The music module against a scripted device: command strings, buffer sizes,
// order, and the CD and MP3 repeat decisions.
#include "bgm.h"

#include <gtest/gtest.h>

#include <optional>

#include "scripted_device.h"

namespace tessarine::music {
namespace {

using Calls = std::vector<std::string>;

// Shorthands for the CD watch's queries as the device records them.
const std::string kCurrent = "status cdaudio current track [512]";
const std::string kCount = "status cdaudio number of tracks [512]";
const std::string kMode = "status cdaudio mode [255]";

class BgmTest : public ::testing::Test {
 protected:
  void disc(std::vector<ScriptedDevice::Answer> current, std::vector<ScriptedDevice::Answer> mode) {
    device.answer("status cdaudio current track", std::move(current));
    device.answer("status cdaudio number of tracks", {{0, "12"}});
    device.answer("status cdaudio mode", std::move(mode));
  }

  ScriptedDevice device;
  shell::SettingsRecord settings;
  Bgm bgm{device, settings};
};

TEST_F(BgmTest, AnEmptyCommandIsNeverSent) {
  std::wstring reply;
  EXPECT_EQ(bgm.MciSend(L"", reply), -1);
  EXPECT_EQ(reply, L"コマンド文字列が指定されていません");
  EXPECT_EQ(bgm.MciStatus(L""), L"Error:-1");
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(BgmTest, FailuresGiveTheErrorTextAndStatusGivesTheCode) {
  device.answer("close cdaudio", {{263, ""}});
  device.error_text(263, "The device is not open.");
  std::wstring reply;
  EXPECT_EQ(bgm.MciSend(L"close cdaudio", reply), 263);
  EXPECT_EQ(reply, L"The device is not open.");
  EXPECT_EQ(bgm.MciStatus(L"close cdaudio"), L"Error:263");
  EXPECT_EQ(bgm.MciReply, L"The device is not open.");

  // No text to be had for the code: a fixed Japanese text instead.
  device.answer("open cdaudio", {{266, ""}});
  EXPECT_EQ(bgm.MciSend(L"open cdaudio", reply), 266);
  EXPECT_EQ(reply, L"Error (文字列が取れません)");
  EXPECT_EQ(device.take(), (Calls{"close cdaudio [512]", "close cdaudio [512]", "open cdaudio [512]"}));
}

TEST_F(BgmTest, StatusGivesTheReplyUpToItsEnd) {
  device.answer("status cdaudio number of tracks", {{0, "12"}, {0, "9"}});
  EXPECT_EQ(bgm.MciStatus(L"status cdaudio number of tracks"), L"12");
  // A shorter reply written over a longer one ends at its own NUL.
  EXPECT_EQ(bgm.MciStatus(L"status cdaudio number of tracks"), L"9");
  EXPECT_EQ(bgm.MciReply, L"9");
}

TEST_F(BgmTest, WithoutRepeatTheDiscPlaysAgainWhenFoundStopped) {
  settings.BgmRepeat = 0;
  disc({{0, "1"}, {0, "1"}, {0, "12"}, {0, "1"}}, {{0, "stopped"}, {0, "playing"}, {0, "stopped"}});

  bgm.CdWatch();  // just opened: the device stands stopped
  EXPECT_TRUE(bgm.CdWatchOn);
  EXPECT_EQ(device.take(), (Calls{kCurrent, kCount, kMode, "play cdaudio [512]"}));

  bgm.CdWatch();  // playing
  EXPECT_EQ(device.take(), (Calls{kCurrent, kCount, kMode}));

  bgm.CdWatch();  // the disc has ended
  EXPECT_TRUE(bgm.CdWatchOn);
  EXPECT_EQ(device.take(), (Calls{kCurrent, kCount, kMode, "play cdaudio [512]"}));
}

TEST_F(BgmTest, RepeatTrackIsPlayedFromItsStartWheneverPlaybackLeavesIt) {
  settings.BgmRepeat = 3;
  disc({{0, "1"}, {0, "3"}, {0, "4"}, {0, "3"}}, {{0, "stopped"}, {0, "playing"}});
  device.answer("status cdaudio position track 3", {{0, "03:00:00:00"}});

  bgm.CdWatch();  // stopped at track 1
  const Calls restart = {kCurrent, kCount, kMode, "status cdaudio position track 3 [512]",
                         "play cdaudio from 03:00:00:00 [512]"};
  EXPECT_EQ(device.take(), restart);

  bgm.CdWatch();  // playing track 3
  EXPECT_EQ(device.take(), (Calls{kCurrent, kCount, kMode}));

  bgm.CdWatch();  // track 4 has begun
  EXPECT_EQ(device.take(), restart);
  EXPECT_TRUE(bgm.CdWatchOn);
}

TEST_F(BgmTest, RepeatTrackIsReplayedWhenTheDiscStopsOnIt) {
  settings.BgmRepeat = 3;
  disc({{0, "3"}}, {{0, "stopped"}});
  device.answer("status cdaudio position track 3", {{0, "03:00:00:00"}});
  bgm.CdWatch();
  EXPECT_EQ(device.take().back(), "play cdaudio from 03:00:00:00 [512]");
}

// The start position query fails, so the play command carries the error text
// and the device refuses it; the watch goes on and asks again next time.
TEST_F(BgmTest, ARepeatTrackOutsideTheDiscSendsTheRefusedPlayOnEveryCheck) {
  for (const int16_t track : {13, -1}) {  // a disc of 12 tracks
    SCOPED_TRACE(track);
    ScriptedDevice d;
    Bgm b{d, settings};
    settings.BgmRepeat = track;
    d.answer("status cdaudio current track", {{0, "1"}});
    d.answer("status cdaudio number of tracks", {{0, "12"}});
    d.answer("status cdaudio mode", {{0, "stopped"}});
    const std::string position = "status cdaudio position track " + std::to_string(track);
    d.answer(position, {{282, ""}});                       // out of range
    d.answer("play cdaudio from Error:282", {{293, ""}});  // not a position
    const Calls check = {kCurrent, kCount, kMode, position + " [512]", "play cdaudio from Error:282 [512]"};
    for (int i = 0; i < 3; ++i) {
      b.CdWatch();
      EXPECT_TRUE(b.CdWatchOn);
      EXPECT_EQ(d.take(), check);
    }
  }
}

TEST_F(BgmTest, ErrInAnyLetterCaseEndsTheWatch) {
  for (const std::string reply : {"ERR", "err", "device Error", "eRr 5"}) {
    SCOPED_TRACE(reply);
    ScriptedDevice d;
    Bgm b{d, settings};
    d.answer("status cdaudio current track", {{0, reply}});
    b.CdWatch();
    EXPECT_FALSE(b.CdWatchOn);
    EXPECT_EQ(d.calls, (Calls{kCurrent}));
  }
}

TEST_F(BgmTest, AFailingTrackCountEndsTheWatch) {
  device.answer("status cdaudio current track", {{0, "1"}});
  device.answer("status cdaudio number of tracks", {{274, ""}});
  bgm.CdWatch();
  EXPECT_FALSE(bgm.CdWatchOn);
  EXPECT_EQ(device.take(), (Calls{kCurrent, kCount}));
}

TEST_F(BgmTest, ACurrentTrackThatIsNotANumberEndsARepeatWatch) {
  settings.BgmRepeat = 3;
  disc({{0, "three"}}, {{0, "stopped"}});
  bgm.CdWatch();
  EXPECT_FALSE(bgm.CdWatchOn);
  EXPECT_EQ(device.take(), (Calls{kCurrent, kCount, kMode}));

  // Without a repeat track the current track is not read as a number.
  settings.BgmRepeat = 0;
  bgm.CdWatch();
  EXPECT_TRUE(bgm.CdWatchOn);
  EXPECT_EQ(device.take().back(), "play cdaudio [512]");
}

TEST_F(BgmTest, Mp3OpensTheQuotedFileAndPlaysOnlyWhenOpened) {
  settings.BgmFile = L"C:\\音楽\\曲 1.mp3";
  bgm.Mp3Play();
  EXPECT_EQ(device.take(),
            (Calls{"open \"" + device.to_utf8(settings.BgmFile) + "\" type MPEGVideo Alias MP3Play [0]",
                   "play MP3Play notify [0]"}));

  device.answer("open \"" + device.to_utf8(settings.BgmFile) + "\" type MPEGVideo Alias MP3Play", {{277, ""}});
  bgm.Mp3Play();
  EXPECT_EQ(device.take().size(), 1u);
}

// Closed by the stop, or else when the module goes; never a close for a file that did not open.
TEST_F(BgmTest, AnOpenedMp3IsClosedOnEveryPath) {
  settings.BgmFile = L"C:\\a.mp3";
  for (const bool stopped : {false, true}) {
    SCOPED_TRACE(stopped);
    std::optional<Bgm> module(std::in_place, device, settings);
    module->Mp3Play();
    if (stopped) module->Mp3Stop();
    device.take();
    module.reset();
    EXPECT_EQ(device.take(), stopped ? Calls{} : Calls{"close MP3Play [0]"});
  }
  device.answer("open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", {{277, ""}});
  std::optional<Bgm> refused(std::in_place, device, settings);
  refused->Mp3Play();
  device.take();
  refused.reset();
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(BgmTest, Mp3RestartsFromItsStartOnlyWhenNotPlaying) {
  device.answer("status MP3Play mode", {{0, "playing"}, {0, "stopped"}, {0, "paused"}, {0, "playing"}});
  const Calls status = {"status MP3Play mode [30]"};
  const Calls restart = {"status MP3Play mode [30]", "stop MP3Play [0]", "play MP3Play from 0 notify [0]"};

  bgm.Mp3Loop();
  EXPECT_EQ(device.take(), status);
  bgm.Mp3Loop();  // ended
  EXPECT_EQ(device.take(), restart);
  bgm.Mp3Loop();  // paused from outside
  EXPECT_EQ(device.take(), restart);
  bgm.Mp3Loop();
  EXPECT_EQ(device.take(), status);
}

// The device's notice for each play that asked for one, as the saver window
// passes it on: successful when the file played to its end.
class Mp3NoticeTest : public BgmTest {
 protected:
  void SetUp() override {
    bgm.Mp3Play();
    device.take();
  }
  const Calls restart = {"stop MP3Play [0]", "play MP3Play from 0 notify [0]"};
  const Calls check_restart = {"status MP3Play mode [30]", "stop MP3Play [0]", "play MP3Play from 0 notify [0]"};
};

TEST_F(Mp3NoticeTest, EachEndRestartsTheFileAtOnce) {
  for (int i = 0; i < 3; ++i) {
    bgm.Mp3Notified(true);
    EXPECT_EQ(device.take(), restart);
  }
}

TEST_F(Mp3NoticeTest, OneEndRestartsOnceWhenTheCheckComesFirst) {
  device.answer("status MP3Play mode", {{0, "stopped"}, {0, "playing"}});
  bgm.Mp3Loop();  // the check finds the end before its notice is handled
  EXPECT_EQ(device.take(), check_restart);
  bgm.Mp3Notified(true);  // the notice of that same end
  bgm.Mp3Loop();
  EXPECT_EQ(device.take(), (Calls{"status MP3Play mode [30]"}));
  bgm.Mp3Notified(true);  // the end of the new play
  EXPECT_EQ(device.take(), restart);
}

TEST_F(Mp3NoticeTest, AnInterruptedPlayIsNoEnd) {
  device.answer("status MP3Play mode", {{0, "paused"}});
  bgm.Mp3Loop();  // its stop aborts the play, which reports so
  device.take();
  bgm.Mp3Notified(false);
  EXPECT_TRUE(device.calls.empty());
  bgm.Mp3Notified(true);
  EXPECT_EQ(device.take(), restart);
}

TEST_F(Mp3NoticeTest, NothingRestartsOnceStoppedOrWhenNothingPlayed) {
  bgm.Mp3Stop();
  device.take();
  bgm.Mp3Notified(false);  // the stop's own notice
  bgm.Mp3Notified(true);   // an end that came just before the stop
  EXPECT_TRUE(device.calls.empty());

  // A play that the device refused asks for no notice.
  device.answer("play MP3Play from 0 notify", {{263, ""}});
  device.answer("status MP3Play mode", {{0, "stopped"}});
  bgm.Mp3Loop();
  device.take();
  bgm.Mp3Notified(true);
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(BgmTest, WavPlaysNothingWithoutAWaveOutput) {
  settings.BgmFile = L"C:\\a.wav";
  device.set_wave_out_devices(0);
  bgm.WavPlay();
  EXPECT_TRUE(device.calls.empty());
}

}  // namespace
}  // namespace tessarine::music
