// The music module's device: winmm's command strings and sound player through
// their wide calls.
#include "win32_bgm.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "shell_module.h"

namespace tessarine::music {
namespace {

class WinmmDevice : public MciDevice {
 public:
  // Only a command that succeeds writes its reply; a failed one leaves the
  // buffer as it was.
  uint32_t send_string(const wchar_t* command, wchar_t* reply, uint32_t reply_size) override {
    std::wstring answer(reply ? reply_size : 0, L'\0');
    const uint32_t code =
        mciSendStringW(command, reply ? answer.data() : nullptr, static_cast<UINT>(answer.size()), notify_window);
    if (code == 0 && !answer.empty()) {
      const size_t n = std::min<size_t>(std::wcslen(answer.c_str()), reply_size - 1);
      std::wmemcpy(reply, answer.data(), n);
      reply[n] = L'\0';
    }
    return code;
  }

  bool error_string(uint32_t code, wchar_t* text, uint32_t size) override {
    return size != 0 && mciGetErrorStringW(code, text, size) != FALSE;
  }

  void play_sound(const wchar_t* file, uint32_t flags) override { PlaySoundW(file, nullptr, flags); }

  uint32_t wave_out_devices() override { return waveOutGetNumDevs(); }

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
