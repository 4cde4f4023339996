// A private copy of the shell: Tessarine.scr in a fresh temporary folder with
// a renderer beside it, started there with the screen saver's arguments, and
// the settings file Tessarine.ini beside it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "settings.h"
#include "win32_test_support.h"

namespace tessarine::test {

class ShellCopy {
 public:
  // `renderer` is copied beside the shell as Tessarine.dll (empty: none).
  // The shell lies in the temporary folder itself or in a folder of the given
  // name inside it.
  explicit ShellCopy(const std::wstring& renderer = dist_file(L"Tessarine.dll"), const std::wstring& folder_name = L"")
      : home_(folder_name.empty() ? folder_.path() : folder_.file(folder_name)) {
    CreateDirectoryW(home_.c_str(), nullptr);
    EXPECT_TRUE(CopyFileW(dist_file(L"Tessarine.scr").c_str(), file(L"Tessarine.scr").c_str(), FALSE));
    if (!renderer.empty())
      EXPECT_TRUE(CopyFileW(renderer.c_str(), file(L"Tessarine.dll").c_str(), FALSE)) << to_ansi(renderer);
  }
  ShellCopy(const ShellCopy&) = delete;
  ShellCopy& operator=(const ShellCopy&) = delete;

  const std::wstring& home() const { return home_; }
  std::wstring file(const std::wstring& name) const { return home_ + L"\\" + name; }
  Process start(const std::wstring& arguments) const { return Process::start(file(L"Tessarine.scr"), arguments); }

  std::wstring settings_file() const { return file(L"Tessarine.ini"); }
  std::string settings_bytes() const { return read_file_bytes(settings_file()); }
  // Writes the three music keys under the shell's own names and integer
  // text, then the `more` lines ("Speed=1.5") as they are; gives the bytes
  // written.
  std::string write_settings(int kind, int repeat, const std::wstring& music,
                             const std::vector<std::wstring>& more = {}) const {
    using namespace shell;
    std::wstring text = L"[" + kSection + L"]\r\n" + kKeyKind + L"=" + integer_text(kind) + L"\r\n" + kKeyRepeat +
                        L"=" + integer_text(repeat) + L"\r\n" + kKeyFile + L"=" + music + L"\r\n";
    for (const std::wstring& line : more) text += line + L"\r\n";
    const std::string bytes = to_ansi(text);
    EXPECT_TRUE(write_file_bytes(settings_file(), bytes));
    return bytes;
  }
  // The section's lines as bytes, in the file's order, each with the blank
  // after its '=' dropped: Windows keeps the blank that the shell writes
  // before a number, Wine drops it.
  std::vector<std::string> settings_lines() const {
    std::vector<std::string> lines;
    std::istringstream file(settings_bytes());
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (const size_t equals = line.find('='); equals != std::string::npos && line[equals + 1] == ' ')
        line.erase(equals + 1, 1);
      if (line != to_ansi(L"[" + shell::kSection + L"]")) lines.push_back(line);
    }
    return lines;
  }
  // A key's value as the platform reads it back; "<missing>" without one.
  std::wstring setting(const std::wstring& key) const {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(shell::kSection.c_str(), key.c_str(), L"<missing>", value,
                             static_cast<DWORD>(std::size(value)), settings_file().c_str());
    return value;
  }

 private:
  TempFolder folder_;
  std::wstring home_;
};

}  // namespace tessarine::test
