// The saver run's load, timer ticks and query-unload, and the renderer watch.
#include "saver_run.h"

#include <utility>

#include "startup_args.h"

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

bool RendererWatch::tick(bool window_found, Millis now) {
  if (window_found) {
    seen_ = true;
    missed_ = false;
    return false;
  }
  if (!seen_) return now - started_ >= kPatience;
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

void SaverRun::enable(SaverTimer timer, bool enabled) {
  switch (timer) {
    case SaverTimer::Timer1: timer1_ = enabled; break;
    case SaverTimer::Timer2: timer2_ = enabled; break;
    case SaverTimer::Timer3: timer3_ = enabled; break;
  }
  host_.set_timer(timer, enabled);
}

void SaverRun::Load() {
  enable(SaverTimer::Timer3, true);
  host_.start_program(RendererPath);

  const SettingsRecord& settings = module_.settings;
  if (settings.BgmKind == kBgmCd) {
    bgm_.CdOpen();
    enable(SaverTimer::Timer2, true);
  }
  if (settings.BgmKind == kBgmFile) {
    const FileKind kind = file_kind(settings.BgmFile);
    if (kind == FileKind::Wav) bgm_.WavPlay();
    if (kind == FileKind::Mp3) {
      bgm_.Mp3Play();
      enable(SaverTimer::Timer1, true);
    }
  }
  // Opening a file can take a while: the renderer's grace starts afterwards.
  watch_.start(host_.now());
}

void SaverRun::Timer3Tick() {
  if (!timer3_) return;
  if (!watch_.tick(host_.renderer_window_exists(), host_.now())) return;
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
  const SettingsRecord& settings = module_.settings;
  if (settings.BgmKind == kBgmFile) {
    const FileKind kind = file_kind(settings.BgmFile);
    if (kind == FileKind::Wav) bgm_.WavStop();
    if (kind == FileKind::Mp3) {
      enable(SaverTimer::Timer1, false);
      bgm_.Mp3Stop();
    }
  }
  if (mode_letter(module_.arguments) == L'S') module_.CursorCount = host_.show_cursor(module_.CursorCount);
  host_.end_program();
}

}  // namespace tessarine::shell
