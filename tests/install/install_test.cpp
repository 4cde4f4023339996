// The setup program and its uninstaller as a user meets them: a silent install
// for the current user, the installed saver and settings dialog at work, an
// installation over the first one, and a silent removal that gives the
// screen saver chosen before back. Runs in a Wine prefix of its own (or on a
// Windows machine where Tessarine is not installed).
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

#include "dialog_layout.h"  // the settings dialog's child window identifiers
#include "tessarine_version.h"
#include "win32_test_support.h"

namespace tessarine::test {
namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kEntryKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessarine";
const std::wstring kVersion = L"" TESSARINE_VERSION_TEXT;

std::optional<std::wstring> read_text(const wchar_t* key, const wchar_t* name) {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  text.resize(wcslen(text.c_str()));
  return text;
}

std::optional<DWORD> read_number(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::optional<std::wstring> screen_saver() { return read_text(kDesktopKey, L"SCRNSAVE.EXE"); }

void choose_screen_saver(const std::optional<std::wstring>& path) {
  if (path) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"SCRNSAVE.EXE", REG_SZ, path->c_str(),
                    static_cast<DWORD>((path->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"SCRNSAVE.EXE");
  }
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring install_dir() {
  wchar_t* local = nullptr;
  std::wstring dir;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local)))
    dir = std::wstring(local) + L"\\Programs\\Tessarine";
  CoTaskMemFree(local);
  return dir;
}

std::wstring installed(const std::wstring& name) { return install_dir() + L"\\" + name; }

std::wstring setup_program() { return dist_file(L"Tessarine-" + kVersion + L"-win64-setup.exe"); }

::testing::AssertionResult run_to_end(Process process) {
  if (!process.started()) return ::testing::AssertionFailure() << "did not start";
  if (!process.wait(60s)) return ::testing::AssertionFailure() << "did not end";
  if (process.exit_code() != 0) return ::testing::AssertionFailure() << "ended with " << process.exit_code();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult install_silently() { return run_to_end(Process::start(setup_program(), L"/S")); }

// Runs the entry's QuietUninstallString, as a script would. The uninstaller
// goes on from a copy of itself after its first process ends: wait for what
// it removes.
::testing::AssertionResult uninstall_silently() {
  const std::wstring command = read_text(kEntryKey, L"QuietUninstallString").value_or(L"");
  const size_t end = command.find(L'"', 1);
  if (command.empty() || command[0] != L'"' || end == std::wstring::npos)
    return ::testing::AssertionFailure() << "no quoted QuietUninstallString";
  auto result = run_to_end(Process::start(command.substr(1, end - 1), command.substr(end + 2)));
  if (!result) return result;
  if (!wait_until([] { return !exists(install_dir()) && !read_text(kEntryKey, L"DisplayName"); }, 60s))
    return ::testing::AssertionFailure() << "the folder or the entry stays";
  return ::testing::AssertionSuccess();
}

std::wstring version_of(const std::wstring& program, const wchar_t* field) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(program.c_str(), &ignored));
  wchar_t* text = nullptr;
  UINT length = 0;
  if (block.empty() || !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueW(block.data(), (std::wstring(L"\\StringFileInfo\\041104B0\\") + field).c_str(),
                      reinterpret_cast<void**>(&text), &length))
    return L"";
  return text;
}

// The pixel sizes of a program's first icon group (0 in the group means 256).
std::vector<int> icon_sizes(const std::wstring& program) {
  std::vector<int> sizes;
  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return sizes;
  LPWSTR group = nullptr;
  EnumResourceNamesW(
      module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        *reinterpret_cast<LPWSTR*>(found) = name;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&group));
  HRSRC resource = group ? FindResourceW(module, group, MAKEINTRESOURCEW(14)) : nullptr;
  const auto* bytes = resource ? static_cast<const BYTE*>(LockResource(LoadResource(module, resource))) : nullptr;
  if (bytes) {
    const int count = bytes[4] | bytes[5] << 8;
    for (int i = 0; i < count; ++i) sizes.push_back(bytes[6 + 14 * i] ? bytes[6 + 14 * i] : 256);
    std::sort(sizes.begin(), sizes.end());
  }
  FreeLibrary(module);
  return sizes;
}

std::string manifest_of(const std::wstring& program) {
  std::string text;
  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return text;
  if (HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */))
    text.assign(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                SizeofResource(module, resource));
  FreeLibrary(module);
  return text;
}

// A real click in the middle of a window of another process.
void click(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

class Setup : public ::testing::Test {
 protected:
  void SetUp() override {
    if (read_text(kEntryKey, L"DisplayName")) GTEST_SKIP() << "Tessarine is installed on this machine";
    ASSERT_TRUE(exists(setup_program())) << "no setup program: run tools/package.sh";
  }
  // The user's choice as it was before the test, and no installation left
  // by a failed test for the next one.
  void TearDown() override {
    choose_screen_saver(users_choice_);
    for (const wchar_t* name : {L"Tessarine.scr", L"Tessarine.dll", L"Tessarine.ini", L"uninstall.exe"})
      DeleteFileW(installed(name).c_str());
    RemoveDirectoryW(install_dir().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, kEntryKey);
  }

 private:
  std::optional<std::wstring> users_choice_ = screen_saver();
};

TEST(SetupProgram, AsksForNoAdministratorRightsAndCarriesTheIcon) {
  EXPECT_NE(manifest_of(setup_program()).find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(icon_sizes(setup_program()), (std::vector<int>{16, 24, 32, 48, 256}));
}

TEST_F(Setup, InstallsUsesReinstallsAndRemovesForTheUser) {
  const std::wstring previous = L"C:\\Windows\\System32\\Mystify.scr";
  choose_screen_saver(previous);

  ASSERT_TRUE(install_silently());
  const std::wstring saver = installed(L"Tessarine.scr");
  for (const wchar_t* name : {L"Tessarine.scr", L"Tessarine.dll"}) {
    SCOPED_TRACE(to_ansi(name));
    EXPECT_TRUE(read_file_bytes(installed(name)) == read_file_bytes(dist_file(name)));
    EXPECT_EQ(version_of(installed(name), L"ProductVersion"), kVersion);
    EXPECT_EQ(version_of(installed(name), L"FileVersion"), kVersion);
  }
  EXPECT_EQ(screen_saver(), saver);

  // The entry in the list of installed apps.
  EXPECT_EQ(read_text(kEntryKey, L"DisplayName"), L"Tessarine");
  EXPECT_EQ(read_text(kEntryKey, L"DisplayVersion"), kVersion);
  EXPECT_EQ(read_text(kEntryKey, L"Publisher"), L"The Tessarine developers");
  EXPECT_EQ(read_text(kEntryKey, L"InstallLocation"), install_dir());
  EXPECT_EQ(read_text(kEntryKey, L"DisplayIcon"), saver + L",0");
  EXPECT_EQ(icon_sizes(saver), (std::vector<int>{16, 24, 32, 48, 256}));
  const std::wstring uninstaller = L"\"" + installed(L"uninstall.exe") + L"\"";
  EXPECT_EQ(read_text(kEntryKey, L"UninstallString"), uninstaller);
  EXPECT_EQ(read_text(kEntryKey, L"QuietUninstallString"), uninstaller + L" /S");
  EXPECT_TRUE(exists(installed(L"uninstall.exe")));
  EXPECT_EQ(read_number(kEntryKey, L"NoModify"), 1u);
  EXPECT_EQ(read_number(kEntryKey, L"NoRepair"), 1u);
  const size_t programs_kb =
      (read_file_bytes(installed(L"Tessarine.scr")).size() + read_file_bytes(installed(L"Tessarine.dll")).size()) /
      1024;
  EXPECT_GE(read_number(kEntryKey, L"EstimatedSize").value_or(0), programs_kb);

  {
    SCOPED_TRACE("the chosen saver runs and ends on Escape");
    Process shell = Process::start(screen_saver().value_or(L""), L"/s");
    HWND renderer = wait_for_window(L"Tessarine_VC", kStartTimeout, L"opengl demo");
    ASSERT_NE(renderer, nullptr);
    post_key_up(renderer, VK_ESCAPE);
    EXPECT_TRUE(shell.wait());
  }
  {
    SCOPED_TRACE("its settings dialog saves into the installed folder");
    Process shell = Process::start(saver, L"/c");
    HWND dialog = wait_for_window(L"<Tessarine>");
    ASSERT_NE(dialog, nullptr);
    HWND set = nullptr;
    ASSERT_TRUE(wait_until([&] { return (set = GetDlgItem(dialog, shell::dialog::kIdSet)) != nullptr; }, 10s));
    // Clicked again until it takes: the dialog may still be loading.
    EXPECT_TRUE(wait_until(
        [&] {
          SetForegroundWindow(dialog);
          click(set);
          return shell.wait(2s);
        },
        kStartTimeout));
    EXPECT_EQ(read_file_bytes(installed(L"Tessarine.ini")).rfind("[Section]", 0), 0u);
  }

  // Over the first installation: the programs are replaced, the settings and
  // the screen saver remembered first stay.
  const std::string settings = read_file_bytes(installed(L"Tessarine.ini"));
  ASSERT_TRUE(write_file_bytes(installed(L"Tessarine.dll"), "not a program"));
  ASSERT_TRUE(install_silently());
  EXPECT_TRUE(read_file_bytes(installed(L"Tessarine.dll")) == read_file_bytes(dist_file(L"Tessarine.dll")));
  EXPECT_TRUE(read_file_bytes(installed(L"Tessarine.ini")) == settings);
  EXPECT_EQ(screen_saver(), saver);

  ASSERT_TRUE(uninstall_silently());
  EXPECT_EQ(screen_saver(), previous);
  EXPECT_FALSE(exists(installed(L"Tessarine.scr")));
}

TEST_F(Setup, RemovalKeepsAScreenSaverChosenSince) {
  choose_screen_saver(std::nullopt);
  ASSERT_TRUE(install_silently());
  const std::wstring since = L"C:\\Windows\\System32\\Bubbles.scr";
  choose_screen_saver(since);
  ASSERT_TRUE(uninstall_silently());
  EXPECT_EQ(screen_saver(), since);
}

TEST_F(Setup, ATessarineChosenBeforeIsNotGivenBack) {
  // A copy installed by hand elsewhere: removing this installation leaves no
  // screen saver rather than a Tessarine.
  choose_screen_saver(L"C:\\Tools\\Tessarine.scr");
  ASSERT_TRUE(install_silently());
  ASSERT_TRUE(uninstall_silently());
  EXPECT_EQ(screen_saver(), std::nullopt);
}

}  // namespace
}  // namespace tessarine::test
