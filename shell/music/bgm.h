// The music module Tessarine_BGM: an audio CD, an MP3 file or a WAV file
// played through MCI command strings and the system's sound player, with the
// CD watch and the MP3 repeat. One per process; the saver run calls it. Its
// texts are wide, as the platform's calls take them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "mci_device.h"
#include "settings.h"

namespace tessarine::music {

// An MCI alias while it is open: closed by close(), or at the latest when its
// owner goes, so that no path leaves the device open (a process that ends with
// an MP3 still open and playing crashes under Wine).
class MciAlias {
 public:
  MciAlias(MciDevice& device, std::wstring name) : device_(device), name_(std::move(name)) {}
  MciAlias(const MciAlias&) = delete;
  MciAlias& operator=(const MciAlias&) = delete;
  ~MciAlias() {
    if (open_) close();
  }
  // Sends `command`, which opens the device under this alias; 0 or its error code.
  uint32_t open(const std::wstring& command);
  // "close <alias>", sent even when the alias is not open.
  void close();

 private:
  MciDevice& device_;
  std::wstring name_;
  bool open_ = false;
};

class Bgm {
 public:
  // Plays what `settings` names (BgmKind, BgmRepeat, BgmFile), read at each call.
  Bgm(MciDevice& device, const shell::SettingsRecord& settings);

  // Sends one command (never an empty one: that gives -1 and a Japanese
  // reply) and returns its code; `reply` gets the reply or the error text.
  int32_t MciSend(const std::wstring& command, std::wstring& reply);
  // The reply, or "Error:" and the code when the command failed; kept in MciReply.
  std::wstring MciStatus(const std::wstring& command);
  // "play <device>[ from <from>][ to <to>]"; empty texts leave their part out.
  int32_t MciPlay(const std::wstring& device, const std::wstring& from, const std::wstring& to);

  void CdOpen();
  // Starts or restarts the CD as BgmRepeat asks; CdWatchOn false once the
  // device has failed.
  void CdWatch();
  void CdStop();
  void Mp3Play();
  bool Mp3IsPlaying();
  // Plays the MP3 again from its start whenever it is not playing: the check
  // for a device that never reports the end of a play.
  void Mp3Loop();
  // The device's notice for a play that asked for one; `successful` when the
  // file played to its end. The end of the latest play restarts it at once.
  void Mp3Notified(bool successful);
  void Mp3Stop();
  void WavPlay();
  void WavStop();

  bool CdWatchOn = false;
  std::wstring MciReply;

 private:
  uint32_t send_without_reply(const std::wstring& command);
  void play_mp3(const std::wstring& command);
  void restart_mp3();

  MciDevice& device_;
  const shell::SettingsRecord& settings_;
  // Fixed-length buffers: a reply is written into their front, the rest stays.
  std::array<wchar_t, 512> reply_buffer_{};
  std::array<wchar_t, 256> error_buffer_{};
  std::array<wchar_t, 255> cd_mode_buffer_{};
  std::array<wchar_t, 30> mp3_mode_buffer_{};
  // Notices still to come: each play sent with "notify" gets exactly one
  // (successful, superseded, aborted or failed), in the order of the plays.
  uint32_t mp3_notices_due_ = 0;
  MciAlias mp3_{device_, L"MP3Play"};
};

}  // namespace tessarine::music
