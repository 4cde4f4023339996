// The music module Tessarine_BGM: an audio CD, an MP3 file or a WAV file
// played through MCI command strings and the system's sound player, with the
// CD watch and the MP3 repeat. One per process; the saver run calls it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "mci_device.h"
#include "settings.h"

namespace tessarine::music {

class Bgm {
 public:
  // Plays what `settings` names (BgmKind, BgmRepeat, BgmFile), read at each call.
  Bgm(MciDevice& device, const shell::SettingsRecord& settings);

  // Sends one command (never an empty one: that gives -1 and a Japanese
  // reply) and returns its code; `reply` gets the reply or the error text.
  int32_t MciSend(const std::string& command, std::string& reply);
  // The reply, or "Error:" and the code when the command failed; kept in MciReply.
  std::string MciStatus(const std::string& command);
  // "play <device>[ from <from>][ to <to>]"; empty texts leave their part out.
  int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

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
  std::string MciReply;  // UTF-8

 private:
  uint32_t send_without_reply(const std::string& command);
  void play_mp3(const std::string& command);
  void restart_mp3();

  MciDevice& device_;
  const shell::SettingsRecord& settings_;
  // Fixed-length buffers: a reply is written into their front, the rest stays.
  std::array<char, 512> reply_buffer_{};
  std::array<char, 256> error_buffer_{};
  std::array<char, 255> cd_mode_buffer_{};
  std::array<char, 30> mp3_mode_buffer_{};
  // Notices still to come: each play sent with "notify" gets exactly one
  // (successful, superseded, aborted or failed), in the order of the plays.
  uint32_t mp3_notices_due_ = 0;
};

}  // namespace tessarine::music
