// The music module's device: winmm's command strings and sound player through
// their wide calls, so that a path of any characters plays.
#include "win32_bgm.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>

#include "shell_module.h"
#include "win32_code_page.h"

namespace tessarine::music {
namespace {

// UTF-8 text into a buffer of `size` bytes (at least 1), ended by a NUL and
// cut before a character that does not fit whole.
void copy_text(const std::string& text, char* buffer, uint32_t size) {
  size_t n = std::min<size_t>(text.size(), size - 1);
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

class WinmmDevice : public MciDevice {
 public:
  // Only a command that succeeds writes its reply; a failed one leaves the
  // buffer as it was.
  uint32_t send_string(const char* command, char* reply, uint32_t reply_size) override {
    std::wstring wide_reply(reply ? reply_size : 0, L'\0');
    const uint32_t code = mciSendStringW(shell::from_utf8(command).c_str(), reply ? wide_reply.data() : nullptr,
                                         static_cast<UINT>(wide_reply.size()), notify_window);
    if (code == 0 && !wide_reply.empty()) copy_text(shell::to_utf8(wide_reply.c_str()), reply, reply_size);
    return code;
  }

  bool error_string(uint32_t code, char* text, uint32_t size) override {
    if (size == 0) return false;
    std::wstring wide(size, L'\0');
    if (!mciGetErrorStringW(code, wide.data(), size)) return false;
    copy_text(shell::to_utf8(wide.c_str()), text, size);
    return true;
  }

  void play_sound(const char* file, uint32_t flags) override {
    PlaySoundW(file ? shell::from_utf8(file).c_str() : nullptr, nullptr, flags);
  }

  uint32_t wave_out_devices() override { return waveOutGetNumDevs(); }

  std::string to_utf8(const std::wstring& text) override { return shell::to_utf8(text); }

  HWND notify_window = nullptr;  // used by commands with "notify" only
};

WinmmDevice& device() {
  static WinmmDevice instance;
  return instance;
}

}  // namespace

Bgm& Tessarine_BGM() {
  static Bgm module(device(), shell::Tessarine_B().settings);
  return module;
}

void notify_music_to(HWND window) { device().notify_window = window; }

}  // namespace tessarine::music
