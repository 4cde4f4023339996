// A private copy of the shell and its settings file.
#include "shell_copy.h"

#include <gtest/gtest.h>

#include "settings.h"

namespace tessarine::test {

ShellCopy::ShellCopy(const std::wstring& renderer, const std::wstring& folder_name)
    : home_(folder_name.empty() ? folder_.path() : folder_.file(folder_name)) {
  CreateDirectoryW(home_.c_str(), nullptr);
  EXPECT_TRUE(CopyFileW(dist_file(L"Tessarine.scr").c_str(), file(L"Tessarine.scr").c_str(), FALSE));
  if (!renderer.empty())
    EXPECT_TRUE(CopyFileW(renderer.c_str(), file(L"Tessarine.dll").c_str(), FALSE)) << to_ansi(renderer);
}

Process ShellCopy::start(const std::wstring& arguments) const {
  return Process::start(file(L"Tessarine.scr"), arguments);
}

std::string ShellCopy::write_settings(int kind, int repeat, const std::wstring& music) const {
  using namespace shell;
  const std::string bytes = to_ansi(L"[" + kSection + L"]\r\n" + kKeyKind + L"=" + integer_text(kind) + L"\r\n" +
                                    kKeyRepeat + L"=" + integer_text(repeat) + L"\r\n" + kKeyFile + L"=" + music + L"\r\n");
  EXPECT_TRUE(write_file_bytes(settings_file(), bytes));
  return bytes;
}

std::wstring ShellCopy::setting(const std::wstring& key) const {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(shell::kSection.c_str(), key.c_str(), L"<missing>", value, static_cast<DWORD>(std::size(value)),
                           settings_file().c_str());
  return value;
}

}  // namespace tessarine::test
