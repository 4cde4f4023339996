// A multimedia device for tests: answers each command from a script and
// records every call, with the reply buffer's size, in order.
#pragma once

#include <algorithm>
#include <cstring>
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

  uint32_t send_string(const char* command, char* reply, uint32_t reply_size) override {
    calls.push_back(std::string(command) + " [" + std::to_string(reply_size) + "]");
    Answer a;
    auto it = script_.find(command);
    if (it != script_.end() && !it->second.empty()) {
      a = it->second.front();
      if (it->second.size() > 1) it->second.pop_front();
    }
    if (a.code == 0 && reply && reply_size > 0) {
      const size_t n = std::min<size_t>(a.reply.size(), reply_size - 1);
      std::memcpy(reply, a.reply.data(), n);
      reply[n] = '\0';
    }
    return a.code;
  }

  bool error_string(uint32_t code, char* text, uint32_t size) override {
    auto it = error_texts_.find(code);
    if (it == error_texts_.end() || size == 0) return false;
    const size_t n = std::min<size_t>(it->second.size(), size - 1);
    std::memcpy(text, it->second.data(), n);
    text[n] = '\0';
    return true;
  }

  void play_sound(const char* file, uint32_t flags) override {
    calls.push_back(std::string("sound ") + (file ? file : "null") + " " + std::to_string(flags));
  }

  uint32_t wave_out_devices() override { return wave_out_devices_; }

  std::string to_utf8(const std::wstring& text) override {
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
  std::map<std::string, std::deque<Answer>> script_;
  std::map<uint32_t, std::string> error_texts_;
  uint32_t wave_out_devices_ = 1;
};

}  // namespace tessarine::music
