// The music module's command strings, their order and the repeat decisions.
#include "bgm.h"

#include <cwchar>
#include <optional>

namespace tessarine::music {
namespace {

// "コマンド文字列が指定されていません"
const std::wstring kNoCommandText =
    L"\u30B3\u30DE\u30F3\u30C9\u6587\u5B57\u5217\u304C\u6307\u5B9A\u3055\u308C\u3066\u3044\u307E\u305B\u3093";
// "Error (文字列が取れません)"
const std::wstring kNoErrorText = L"Error (\u6587\u5B57\u5217\u304C\u53D6\u308C\u307E\u305B\u3093)";

template <size_t N>
std::wstring text_of(const std::array<wchar_t, N>& buffer) {
  return std::wstring(buffer.data(), wcsnlen(buffer.data(), N));
}

// The first seven characters of a mode buffer, NULs and leftovers included.
template <size_t N>
bool mode_is(const std::array<wchar_t, N>& buffer, const wchar_t (&word)[8]) {
  return std::wmemcmp(buffer.data(), word, 7) == 0;
}

bool contains_err(const std::wstring& text) {
  std::wstring upper = text;
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper.find(L"ERR") != std::wstring::npos;
}

// A reply read as a number ([blanks][sign]digits[.digits][blanks]); nothing
// when it is not one, which fails the check as a conversion error would.
std::optional<double> as_number(const std::wstring& text) {
  size_t i = 0, n = text.size();
  while (i < n && text[i] == L' ') ++i;
  const size_t start = i;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < n && text[i] >= L'0' && text[i] <= L'9') ++i, ++digits;
  if (i < n && text[i] == L'.') {
    ++i;
    while (i < n && text[i] >= L'0' && text[i] <= L'9') ++i, ++digits;
  }
  const size_t end = i;
  while (i < n && text[i] == L' ') ++i;
  if (digits == 0 || i != n) return std::nullopt;
  return std::wcstod(text.substr(start, end - start).c_str(), nullptr);
}

}  // namespace

uint32_t MciAlias::open(const std::wstring& command) {
  const uint32_t code = device_.send_string(command.c_str(), nullptr, 0);
  if (code == 0) open_ = true;
  return code;
}

void MciAlias::close() {
  open_ = false;
  device_.send_string((L"close " + name_).c_str(), nullptr, 0);
}

Bgm::Bgm(MciDevice& device, const shell::SettingsRecord& settings) : device_(device), settings_(settings) {}

int32_t Bgm::MciSend(const std::wstring& command, std::wstring& reply) {
  if (command.empty()) {
    reply = kNoCommandText;
    return -1;
  }
  const auto code = static_cast<int32_t>(
      device_.send_string(command.c_str(), reply_buffer_.data(), static_cast<uint32_t>(reply_buffer_.size())));
  if (code != 0) {
    if (device_.error_string(static_cast<uint32_t>(code), error_buffer_.data(),
                             static_cast<uint32_t>(error_buffer_.size()))) {
      reply = text_of(error_buffer_);
    } else {
      reply = kNoErrorText;
    }
    return code;
  }
  reply = text_of(reply_buffer_);
  return 0;
}

std::wstring Bgm::MciStatus(const std::wstring& command) {
  const int32_t code = MciSend(command, MciReply);
  if (code != 0) return L"Error:" + std::to_wstring(code);
  return MciReply;
}

int32_t Bgm::MciPlay(const std::wstring& device, const std::wstring& from, const std::wstring& to) {
  std::wstring command = L"play " + device;
  if (!from.empty()) command += L" from " + from;
  if (!to.empty()) command += L" to " + to;
  return MciSend(command, MciReply);
}

uint32_t Bgm::send_without_reply(const std::wstring& command) {
  return device_.send_string(command.c_str(), nullptr, 0);
}

void Bgm::CdOpen() {
  send_without_reply(L"open cdaudio");
  send_without_reply(L"set cdaudio time format tmsf");
}

void Bgm::CdWatch() {
  CdWatchOn = true;
  const std::wstring current = MciStatus(L"status cdaudio current track");
  if (contains_err(current)) {
    CdWatchOn = false;
    return;
  }
  if (contains_err(MciStatus(L"status cdaudio number of tracks"))) {
    CdWatchOn = false;
    return;
  }
  device_.send_string(L"status cdaudio mode", cd_mode_buffer_.data(), static_cast<uint32_t>(cd_mode_buffer_.size()));
  const bool stopped = mode_is(cd_mode_buffer_, L"stopped");

  const int16_t track = settings_.BgmRepeat;
  if (track == 0) {
    if (stopped) MciPlay(L"cdaudio", L"", L"");
    return;
  }
  // Both sides are weighed, so a current track that is not a number ends the
  // watch even when the disc stands stopped.
  const std::optional<double> current_track = as_number(current);
  if (!current_track) {
    CdWatchOn = false;
    return;
  }
  if (stopped || *current_track != track) {
    const std::wstring start = MciStatus(L"status cdaudio position track " + std::to_wstring(track));
    MciPlay(L"cdaudio", start, L"");
  }
}

void Bgm::CdStop() {
  send_without_reply(L"stop cdaudio");
  send_without_reply(L"close cdaudio");
}

void Bgm::Mp3Play() {
  if (mp3_.open(L"open \"" + settings_.BgmFile + L"\" type MPEGVideo Alias MP3Play") == 0) {
    play_mp3(L"play MP3Play notify");
  }
}

bool Bgm::Mp3IsPlaying() {
  device_.send_string(L"status MP3Play mode", mp3_mode_buffer_.data(), static_cast<uint32_t>(mp3_mode_buffer_.size()));
  return mode_is(mp3_mode_buffer_, L"playing");
}

void Bgm::Mp3Loop() {
  if (!Mp3IsPlaying()) restart_mp3();
}

void Bgm::Mp3Notified(bool successful) {
  if (mp3_notices_due_ == 0) return;  // closed, or not a play of the MP3
  --mp3_notices_due_;
  // The end of an earlier play, after which the check has already restarted
  // it, leaves the latest play alone.
  if (successful && mp3_notices_due_ == 0) restart_mp3();
}

void Bgm::Mp3Stop() {
  mp3_notices_due_ = 0;  // once closed, no notice restarts it
  send_without_reply(L"stop MP3Play");
  mp3_.close();
}

void Bgm::play_mp3(const std::wstring& command) {
  if (send_without_reply(command) == 0) ++mp3_notices_due_;
}

void Bgm::restart_mp3() {
  // Stopping first keeps the device's mode right after a natural end.
  send_without_reply(L"stop MP3Play");
  play_mp3(L"play MP3Play from 0 notify");
}

void Bgm::WavPlay() {
  if (device_.wave_out_devices() < 1) return;
  // The file itself or silence: never a sound alias of that name, nor the
  // system's default sound looping for the whole run.
  device_.play_sound(settings_.BgmFile.c_str(), kSndAsync | kSndLoop | kSndFilename | kSndNoDefault);
}

void Bgm::WavStop() { device_.play_sound(nullptr, 0); }

}  // namespace tessarine::music
