// A private copy of the shell: Tessarine.scr in a fresh temporary folder with
// a renderer beside it, started there with the screen saver's arguments, and
// the settings file Tessarine.ini beside it.
#pragma once

#include <string>

#include "win32_test_support.h"

namespace tessarine::test {

class ShellCopy {
 public:
  // `renderer` is copied beside the shell as Tessarine.dll (empty: none).
  // The shell lies in the temporary folder itself or in a folder of the given
  // name inside it.
  explicit ShellCopy(const std::wstring& renderer = dist_file(L"Tessarine.dll"), const std::wstring& folder_name = L"");
  ShellCopy(const ShellCopy&) = delete;
  ShellCopy& operator=(const ShellCopy&) = delete;

  const std::wstring& home() const { return home_; }
  std::wstring file(const std::wstring& name) const { return home_ + L"\\" + name; }
  Process start(const std::wstring& arguments) const;

  std::wstring settings_file() const { return file(L"Tessarine.ini"); }
  std::string settings_bytes() const { return read_file_bytes(settings_file()); }
  // Writes the three music keys under the shell's own names and integer text;
  // gives the bytes written.
  std::string write_settings(int kind, int repeat, const std::wstring& music) const;
  // A key's value as the platform reads it back; "<missing>" without one.
  std::wstring setting(const std::wstring& key) const;

 private:
  TempFolder folder_;
  std::wstring home_;
};

}  // namespace tessarine::test
