// The saver run's load, timer ticks and query-unload, and the renderer watch.
#include "saver_run.h"

#include <string>
#include <utility>
#include <vector>

namespace tessarine::shell {

FileKind file_kind(const std::wstring& path) {
  std::wstring last = path.size() > 3 ? path.substr(path.size() - 3) : path;
  for (wchar_t& c : last) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  if (last == L"WAV") return FileKind::Wav;
  if (last == L"MP3") return FileKind::Mp3;
  return FileKind::Other;
}

std::wstring renderer_command_line(const std::wstring& path, const renderer::PictureOptions& picture) {
  const std::vector<std::string> options = renderer::option_arguments(picture);
  if (options.empty()) return path;
  // The options are ASCII words without blanks: they need no quotes.
  std::wstring line = L"\"" + path + L"\"";
  for (const std::string& option : options) line += L" " + std::wstring(option.begin(), option.end());
  return line;
}

bool RendererWatch::tick(bool window_found, bool renderer_running, Millis now) {
  if (!started_) return false;
  if (!renderer_running) return true;
  if (window_found) {
    seen_ = true;
    missed_ = false;
    return false;
  }
  if (!seen_) return now - *started_ >= kPatience;
  if (missed_) return true;
  missed_ = true;
  return false;
}

SaverRun::SaverRun(SaverHost& host, music::Bgm& bgm, StartupModule& module, std::wstring renderer_path)
    : host_(host), bgm_(bgm), module_(module), RendererPath(std::move(renderer_path)) {}

bool SaverRun::timer_enabled(SaverTimer timer) const {
  switch (timer) {
    case SaverTimer::Timer1: return timer1_;
    case SaverTimer::Timer2: return timer2_;
    case SaverTimer::Timer3: return timer3_;
  }
  return false;
}

bool SaverRun::enable(SaverTimer timer, bool enabled) {
  const bool done = host_.set_timer(timer, enabled);
  const bool on = enabled && done;
  switch (timer) {
    case SaverTimer::Timer1: timer1_ = on; break;
    case SaverTimer::Timer2: timer2_ = on; break;
    case SaverTimer::Timer3: timer3_ = on; break;
  }
  return done;
}

void SaverRun::Load() {
  // The renderer's time counts from here: a tick may come while the music
  // opens (device commands can let queued messages run).
  watch_.start(host_.now());
  if (!enable(SaverTimer::Timer3, true)) {
    // Nothing would ever notice the renderer's end: start nothing.
    give_cursor_back_and_end();
    return;
  }
  host_.start_program(RendererPath, renderer_command_line(RendererPath, module_.settings.picture));

  const SettingsRecord& settings = module_.settings;
  if (settings.BgmKind == kBgmCd) {
    bgm_.CdOpen();
    enable(SaverTimer::Timer2, true);
  }
  // A file that does not open now plays nothing, and its choice stays.
  if (settings.BgmKind == kBgmFile && host_.file_exists(settings.BgmFile)) playing_ = file_kind(settings.BgmFile);
  if (playing_ == FileKind::Wav) bgm_.WavPlay();
  if (playing_ == FileKind::Mp3) {
    bgm_.Mp3Play();
    enable(SaverTimer::Timer1, true);
  }
}

void SaverRun::Timer3Tick() {
  if (!timer3_) return;
  if (!watch_.tick(host_.renderer_window_exists(), host_.renderer_running(), host_.now())) return;
  enable(SaverTimer::Timer3, false);
  QueryUnload();
}

void SaverRun::Timer2Tick() {
  if (!timer2_) return;
  bgm_.CdWatch();
  enable(SaverTimer::Timer2, bgm_.CdWatchOn);
}

void SaverRun::Timer1Tick() {
  if (!timer1_) return;
  bgm_.Mp3Loop();
}

void SaverRun::Mp3Notify(bool successful) { bgm_.Mp3Notified(successful); }

void SaverRun::QueryUnload() {
  if (timer2_) {
    enable(SaverTimer::Timer2, false);
    bgm_.CdStop();
  }
  if (playing_ == FileKind::Wav) bgm_.WavStop();
  if (playing_ == FileKind::Mp3) {
    enable(SaverTimer::Timer1, false);
    bgm_.Mp3Stop();
  }
  give_cursor_back_and_end();
}

void SaverRun::give_cursor_back_and_end() {
  if (mode_letter(module_.arguments) == L'S') module_.CursorCount = host_.show_cursor(module_.CursorCount);
  host_.end_program();
}

}  // namespace tessarine::shell
