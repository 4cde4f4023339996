// The music module's device: winmm's command strings and sound player in the
// ANSI code page (Shift-JIS paths under code page 932).
#include "win32_bgm.h"

#include <windows.h>
#include <mmsystem.h>

#include "shell_module.h"

namespace tessarine::music {
namespace {

class WinmmDevice : public MciDevice {
 public:
  uint32_t send_string(const char* command, char* reply, uint32_t reply_size) override {
    return mciSendStringA(command, reply, reply_size, notify_window);
  }

  bool error_string(uint32_t code, char* text, uint32_t size) override {
    return mciGetErrorStringA(code, text, size) != FALSE;
  }

  void play_sound(const char* file, uint32_t flags) override { PlaySoundA(file, nullptr, flags); }

  uint32_t wave_out_devices() override { return waveOutGetNumDevs(); }

  std::string to_ansi(const std::wstring& text) override {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
  }

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
