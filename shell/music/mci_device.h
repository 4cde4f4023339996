// What the music module needs of the multimedia services: command strings,
// error texts and the system's sound player, in wide text as their wide calls
// take it, so that a path of any characters plays.
#pragma once

#include <cstdint>

namespace tessarine::music {

// PlaySound flags: play in the background and repeat until stopped; the
// name is a file; nothing (not the system's default sound) when it cannot play.
inline constexpr uint32_t kSndAsync = 0x1;
inline constexpr uint32_t kSndLoop = 0x8;
inline constexpr uint32_t kSndFilename = 0x20000;
inline constexpr uint32_t kSndNoDefault = 0x2;

class MciDevice {
 public:
  virtual ~MciDevice() = default;
  // mciSendString: 0 or an MCI error code. `reply` (null with size 0 when no
  // reply is wanted; the size in characters) receives a NUL-terminated reply.
  // A command with "notify" later reports how it ended, as a notice for
  // Bgm::Mp3Notified.
  virtual uint32_t send_string(const wchar_t* command, wchar_t* reply, uint32_t reply_size) = 0;
  // mciGetErrorString: true when it wrote the error's text.
  virtual bool error_string(uint32_t code, wchar_t* text, uint32_t size) = 0;
  // PlaySound(file, no module, flags); a null file stops the process's sound.
  virtual void play_sound(const wchar_t* file, uint32_t flags) = 0;
  // waveOutGetNumDevs.
  virtual uint32_t wave_out_devices() = 0;
};

}  // namespace tessarine::music
