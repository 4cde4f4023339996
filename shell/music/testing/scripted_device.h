// A multimedia device for tests: answers each command from a script and
// records every call, with the reply buffer's size, in order. The script and
// the record are UTF-8 text, as the tests write it; replies and error texts
// are ASCII.
#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "mci_device.h"

namespace tessarine::music {

class ScriptedDevice : public MciDevice {
 public:
  struct Answer {
    uint32_t code = 0;
    std::string reply;
  };

  // Queues answers for a command; the last one repeats. Unscripted commands
  // succeed with an empty reply.
  void answer(const std::string& command, std::vector<Answer> answers) {
    auto& queue = script_[command];
    queue.insert(queue.end(), answers.begin(), answers.end());
  }
  void error_text(uint32_t code, std::string text) { error_texts_[code] = std::move(text); }
  void set_wave_out_devices(uint32_t count) { wave_out_devices_ = count; }

  // "<command> [size]" per command string, "sound <file|null> <flags>" per PlaySound.
  std::vector<std::string> calls;
  // Takes the calls recorded so far.
  std::vector<std::string> take() { return std::exchange(calls, {}); }

  uint32_t send_string(const wchar_t* command, wchar_t* reply, uint32_t reply_size) override {
    const std::string text = to_utf8(command);
    calls.push_back(text + " [" + std::to_string(reply_size) + "]");
    Answer a;
    auto it = script_.find(text);
    if (it != script_.end() && !it->second.empty()) {
      a = it->second.front();
      if (it->second.size() > 1) it->second.pop_front();
    }
    if (a.code == 0 && reply && reply_size > 0) copy_ascii(a.reply, reply, reply_size);
    return a.code;
  }

  bool error_string(uint32_t code, wchar_t* text, uint32_t size) override {
    auto it = error_texts_.find(code);
    if (it == error_texts_.end() || size == 0) return false;
    copy_ascii(it->second, text, size);
    return true;
  }

  void play_sound(const wchar_t* file, uint32_t flags) override {
    calls.push_back("sound " + (file ? to_utf8(file) : std::string("null")) + " " + std::to_string(flags));
  }

  uint32_t wave_out_devices() override { return wave_out_devices_; }

  // A text of the program as the record holds it.
  static std::string to_utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t w : text) {
      auto c = static_cast<uint32_t>(w);
      if (c < 0x80) {
        out += static_cast<char>(c);
      } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return out;
  }

 private:
  // Into a buffer of `size` (at least 1) characters, ended by a NUL.
  static void copy_ascii(const std::string& text, wchar_t* buffer, uint32_t size) {
    const size_t n = std::min<size_t>(text.size(), size - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = L'\0';
  }

  std::map<std::string, std::deque<Answer>> script_;
  std::map<uint32_t, std::string> error_texts_;
  uint32_t wave_out_devices_ = 1;
};

}  // namespace tessarine::music
