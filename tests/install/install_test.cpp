// The setup program and its uninstaller as a user meets them: a silent install
// into a profile folder with a blank and Japanese letters, the chosen saver and
// its Start-menu entries at work, an upgrade and removals while Tessarine runs,
// a program that cannot go before the next start (and a reinstallation before
// it), another program's file left alone, and the screen saver chosen before
// given back. Runs in a Wine prefix of its own (or on a Windows machine where
// Tessarine is not installed).
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "dialog_layout.h"  // the settings dialog's child window identifiers
#include "shell_test_windows.h"
#include "tessarine_version.h"
#include "win32_test_support.h"
#include "window_titles.h"

namespace tessarine::test {
namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kEntryKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessarine";
const wchar_t kRunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t kUninstaller[] = L"Tessarine-uninstall.exe";
const std::wstring kVersion = L"" TESSARINE_VERSION_TEXT;
const std::wstring kProfile = L"C:\\Users\\山田 太郎";

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

// Sets a value of the user's desktop settings (none: removes it).
void set_desktop_value(const wchar_t* name, const std::optional<std::wstring>& text) {
  if (text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name, REG_SZ, text->c_str(),
                    static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name);
  }
}

void choose_screen_saver(const std::optional<std::wstring>& path) { set_desktop_value(L"SCRNSAVE.EXE", path); }

// The system parameters that the session was told of: WM_SETTINGCHANGE goes
// to every top-level window, a window of this thread among them.
std::vector<WPARAM> settings_told;
LRESULT CALLBACK note_setting_change(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_SETTINGCHANGE) settings_told.push_back(w);
  return DefWindowProcW(window, message, w, l);
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring known_folder(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

std::wstring short_path(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 2] = {};
  const DWORD n = GetShortPathNameW(path.c_str(), buffer, static_cast<DWORD>(std::size(buffer)));
  return n > 0 && n < std::size(buffer) ? buffer : path;
}

std::vector<std::wstring> files_in(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
    names.push_back(found.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return names;
}

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

Handle open_file(const std::wstring& path, DWORD access, DWORD sharing) {
  HANDLE file = CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
  return Handle(file == INVALID_HANDLE_VALUE ? nullptr : file, &CloseHandle);
}

// Mapped as a running program is: Windows renames it but does not delete it.
using Image = std::unique_ptr<HINSTANCE__, decltype(&FreeLibrary)>;
Image map_program(const std::wstring& path) {
  return Image(LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES), &FreeLibrary);
}

// A Start-menu entry in the setup program's language (English but on a Japanese Windows).
std::wstring shortcut(const std::wstring& japanese, const std::wstring& english) {
  const bool in_japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  return known_folder(FOLDERID_Programs) + L"\\Tessarine\\" + (in_japanese ? japanese : english) + L".lnk";
}

// A shortcut's command: its target, a blank, its arguments.
std::wstring shortcut_command(const std::wstring& path) {
  wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {};
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) && SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, MAX_PATH);
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return std::wstring(target) + L" " + arguments;
}

std::wstring setup_program() { return dist_file(L"Tessarine-" + kVersion + L"-win64-setup.exe"); }

// Answers this thread's windows meanwhile: a preview inside one of them waits
// for its parent when it closes.
::testing::AssertionResult run_to_end(Process process) {
  if (!process.started()) return ::testing::AssertionFailure() << "did not start";
  if (!pump_until([&] { return !process.running(); }, 90s)) return ::testing::AssertionFailure() << "did not end";
  if (process.exit_code() != 0) return ::testing::AssertionFailure() << "ended with " << process.exit_code();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult install_silently(const std::wstring& arguments = L"/S") {
  return run_to_end(Process::start(setup_program(), arguments));
}

// Runs a command line of the registry ("program" arguments), as Windows or a
// script would.
::testing::AssertionResult run_command(const std::wstring& command) {
  const size_t end = command.find(L'"', 1);
  if (command.empty() || command[0] != L'"' || end == std::wstring::npos)
    return ::testing::AssertionFailure() << "not a quoted command: " << to_ansi(command);
  return run_to_end(Process::start(command.substr(1, end - 1), command.substr(end + 2)));
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
    set_desktop_value(L"ScreenSaveActive", users_active_);
    for (const std::wstring& name : files_in(folder_, L"Tessarine*")) DeleteFileW(installed(name).c_str());
    DeleteFileW(installed(L"uninstall.exe").c_str());  // another program's
    // The folder, and those made for it that stay empty.
    for (std::wstring dir = folder_; dir.size() > 3 && RemoveDirectoryW(dir.c_str());)
      dir.resize(dir.find_last_of(L'\\'));
    RegDeleteTreeW(HKEY_CURRENT_USER, kEntryKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunOnceKey, L"Tessarine");
  }

  std::wstring installed(const std::wstring& name) const { return folder_ + L"\\" + name; }

  // Runs the entry's QuietUninstallString. The uninstaller goes on from a copy
  // of itself after its first process ends: wait for what it removes. The
  // folder stays only for another program's file.
  ::testing::AssertionResult uninstall_silently(std::optional<std::wstring> command = std::nullopt) {
    const bool others = exists(installed(L"uninstall.exe"));
    auto result = run_command(command.value_or(read_text(kEntryKey, L"QuietUninstallString").value_or(L"")));
    if (result && !pump_until([&] { return exists(folder_) == others && !read_text(kEntryKey, L"DisplayName"); }, 60s))
      return ::testing::AssertionFailure() << "the folder or the entry stays";
    return result;
  }

  std::wstring folder_ = known_folder(FOLDERID_LocalAppData) + L"\\Programs\\Tessarine";

 private:
  std::optional<std::wstring> users_choice_ = screen_saver();
  std::optional<std::wstring> users_active_ = read_text(kDesktopKey, L"ScreenSaveActive");
};

TEST(SetupProgram, AsksForNoAdministratorRightsAndCarriesTheIcon) {
  EXPECT_NE(manifest_of(setup_program()).find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(icon_sizes(setup_program()), (std::vector<int>{16, 24, 32, 48, 256}));
}

TEST_F(Setup, InstallsUsesReinstallsAndRemovesForTheUser) {
  // NSIS takes the folder unquoted, blank and all.
  folder_ = kProfile + L"\\AppData\\Local\\Programs\\Tessarine";
  if (!CreateDirectoryW(kProfile.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    GTEST_SKIP() << "cannot make the profile folder (no administrator rights)";
  const std::wstring previous = L"C:\\Windows\\System32\\Mystify.scr";
  choose_screen_saver(previous);
  set_desktop_value(L"ScreenSaveActive", L"0");
  const std::string others = "another program's uninstaller";
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr), ERROR_SUCCESS);
  ASSERT_TRUE(write_file_bytes(installed(L"uninstall.exe"), others));

  TestWindow listener(L"", 1, 1, false);
  SetWindowLongPtrW(listener.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&note_setting_change));
  ASSERT_TRUE(install_silently(L"/S /D=" + folder_));
  const std::wstring saver = installed(L"Tessarine.scr");
  for (const wchar_t* name : {L"Tessarine.scr", L"Tessarine.dll"}) {
    SCOPED_TRACE(to_ansi(name));
    EXPECT_TRUE(read_file_bytes(installed(name)) == read_file_bytes(dist_file(name)));
    EXPECT_EQ(version_of(installed(name), L"ProductVersion"), kVersion);
    EXPECT_EQ(version_of(installed(name), L"FileVersion"), kVersion);
  }
  // Chosen by its short path, with no blank in the command that Windows runs
  // (Wine gives every file a short name), and active at once: the session is
  // told (Wine keeps system parameters per process, so SPI_GET here is stale).
  EXPECT_EQ(screen_saver(), short_path(saver));
  EXPECT_EQ(screen_saver().value_or(L" ").find(L' '), std::wstring::npos);
  EXPECT_EQ(read_text(kDesktopKey, L"ScreenSaveActive"), L"1");
  EXPECT_NE(std::find(settings_told.begin(), settings_told.end(), SPI_SETSCREENSAVEACTIVE), settings_told.end());

  // The Start-menu folder: the settings, and what right-click > Install does.
  EXPECT_EQ(shortcut_command(shortcut(L"Tessarine の設定", L"Tessarine Settings")), saver + L" /c");
  EXPECT_EQ(shortcut_command(shortcut(L"スクリーンセーバーに選ぶ", L"Choose as Screen Saver")),
            known_folder(FOLDERID_System) + L"\\rundll32.exe desk.cpl,InstallScreenSaver " + saver);

  // The entry in the list of installed apps.
  EXPECT_EQ(read_text(kEntryKey, L"DisplayName"), L"Tessarine");
  EXPECT_EQ(read_text(kEntryKey, L"DisplayVersion"), kVersion);
  EXPECT_EQ(read_text(kEntryKey, L"Publisher"), L"The Tessarine developers");
  EXPECT_EQ(read_text(kEntryKey, L"InstallLocation"), folder_);
  EXPECT_EQ(read_text(kEntryKey, L"DisplayIcon"), saver + L",0");
  EXPECT_EQ(icon_sizes(saver), (std::vector<int>{16, 24, 32, 48, 256}));
  const std::wstring uninstaller = L"\"" + installed(kUninstaller) + L"\"";
  EXPECT_EQ(read_text(kEntryKey, L"UninstallString"), uninstaller);
  EXPECT_EQ(read_text(kEntryKey, L"QuietUninstallString"), uninstaller + L" /S");
  EXPECT_TRUE(exists(installed(kUninstaller)));
  EXPECT_TRUE(read_file_bytes(installed(L"uninstall.exe")) == others);
  EXPECT_EQ(read_number(kEntryKey, L"NoModify"), 1u);
  EXPECT_EQ(read_number(kEntryKey, L"NoRepair"), 1u);
  const size_t programs_kb =
      (read_file_bytes(installed(L"Tessarine.scr")).size() + read_file_bytes(installed(L"Tessarine.dll")).size()) /
      1024;
  EXPECT_GE(read_number(kEntryKey, L"EstimatedSize").value_or(0), programs_kb);

  {
    SCOPED_TRACE("the chosen saver runs and ends on Escape");
    Process shell = Process::start(screen_saver().value_or(L""), L"/s");
    HWND renderer = wait_for_window(kRendererTitle, kStartTimeout, L"opengl demo");
    ASSERT_NE(renderer, nullptr);
    post_key_up(renderer, VK_ESCAPE);
    EXPECT_TRUE(shell.wait());
  }
  {
    SCOPED_TRACE("its settings dialog saves into the installed folder");
    Process shell = Process::start(saver, L"/c");
    HWND dialog = wait_for_window(kSettingsTitle);
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

  // Over the first installation, into the entry's folder, while the saver
  // runs (Wine, as Windows, refuses to replace a running program): the saver
  // ends, the programs are replaced, the settings and the screen saver
  // remembered first stay.
  const std::string settings = read_file_bytes(installed(L"Tessarine.ini"));
  const FILETIME long_ago = {0, 0x01C07385};  // 2001, until the program is replaced
  ASSERT_TRUE(SetFileTime(open_file(installed(L"Tessarine.dll"), FILE_WRITE_ATTRIBUTES, 0).get(), nullptr, nullptr,
                          &long_ago));
  {
    Process running = Process::start(screen_saver().value_or(L""), L"/s");
    ASSERT_NE(wait_for_window(kRendererTitle, kStartTimeout, L"opengl demo"), nullptr);
    ASSERT_TRUE(install_silently());
    EXPECT_FALSE(running.running());
  }
  WIN32_FILE_ATTRIBUTE_DATA replaced = {};
  GetFileAttributesExW(installed(L"Tessarine.dll").c_str(), GetFileExInfoStandard, &replaced);
  EXPECT_NE(CompareFileTime(&replaced.ftLastWriteTime, &long_ago), 0);
  EXPECT_TRUE(read_file_bytes(installed(L"Tessarine.dll")) == read_file_bytes(dist_file(L"Tessarine.dll")));
  EXPECT_TRUE(read_file_bytes(installed(L"Tessarine.ini")) == settings);
  EXPECT_EQ(screen_saver(), short_path(saver));

  // Removed while a preview (inside a settings page's window) and the saver run.
  TestWindow page(L"Screen Saver Settings", 152, 112);
  Process preview = Process::start(saver, L"/p " + page.handle_text());
  ASSERT_TRUE(pump_until([&] { return FindWindowExW(page.get(), nullptr, L"Tessarine_R", nullptr) != nullptr; }));
  Process running = Process::start(saver, L"/s");
  ASSERT_NE(wait_for_window(kRendererTitle, kStartTimeout, L"opengl demo"), nullptr);
  settings_told.clear();
  ASSERT_TRUE(uninstall_silently());
  EXPECT_FALSE(preview.running());
  EXPECT_FALSE(running.running());
  EXPECT_EQ(screen_saver(), previous);
  EXPECT_EQ(read_text(kDesktopKey, L"ScreenSaveActive"), L"0");
  EXPECT_NE(std::find(settings_told.begin(), settings_told.end(), SPI_SETSCREENSAVEACTIVE), settings_told.end());
  EXPECT_TRUE(read_file_bytes(installed(L"uninstall.exe")) == others);  // and with it the folder
  EXPECT_EQ(files_in(folder_, L"Tessarine*"), std::vector<std::wstring>{});
  EXPECT_FALSE(exists(known_folder(FOLDERID_Programs) + L"\\Tessarine"));  // the Start-menu folder
}

TEST_F(Setup, AProgramThatCannotGoIsRemovedAfterTheNextStart) {
  ASSERT_TRUE(install_silently());
  // Held as by a process that never ends: it can be written, not deleted.
  Handle held = open_file(installed(L"Tessarine.dll"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(held);
  const std::wstring again = L"\"" + installed(kUninstaller) + L"\" /S";
  ASSERT_TRUE(run_command(read_text(kEntryKey, L"QuietUninstallString").value_or(L"")));
  ASSERT_TRUE(pump_until([&] { return read_text(kRunOnceKey, L"Tessarine") == again; }, 60s));
  EXPECT_FALSE(exists(installed(L"Tessarine.scr")));
  EXPECT_TRUE(exists(installed(kUninstaller)));
  EXPECT_EQ(read_text(kEntryKey, L"DisplayName"), L"Tessarine");

  // The next logon runs it once more.
  held.reset();
  ASSERT_TRUE(uninstall_silently(again));
  EXPECT_EQ(read_text(kRunOnceKey, L"Tessarine"), std::nullopt);
}

// A reinstallation before that restart, which must not take the new programs:
// restart-test.sh restarts Wine between the two halves (the plain run leaves
// them out). The first leaves Tessarine installed for the second.
class SetupAcrossARestart : public Setup {
  void SetUp() override {}
  void TearDown() override { if (HasFailure()) Setup::TearDown(); }
};

TEST_F(SetupAcrossARestart, ARemovalWaitsAndTessarineIsInstalledAgain) {
  ASSERT_TRUE(install_silently());
  // A saver that does not end maps its program (renamed, not deleted; the
  // uninstaller waits 30 s for it); another program holds the renderer
  // without sharing its delete (neither).
  Image saver = map_program(installed(L"Tessarine.scr"));
  Handle held = open_file(installed(L"Tessarine.dll"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(saver && held);
  ASSERT_TRUE(run_command(read_text(kEntryKey, L"QuietUninstallString").value_or(L"")));
  ASSERT_TRUE(pump_until([&] { return read_text(kRunOnceKey, L"Tessarine").has_value(); }, 90s));
  // And the renderer to be deleted at the restart, as an earlier release's uninstaller left it.
  ASSERT_TRUE(MoveFileExW(installed(L"Tessarine.dll").c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  ASSERT_TRUE(install_silently());
}

TEST_F(SetupAcrossARestart, ThenTheSaverFindsItsRenderer) {
  EXPECT_TRUE(files_in(folder_, L"Tessarine.*.old").empty());  // the renamed saver went at the restart
  Process shell = Process::start(installed(L"Tessarine.scr"), L"/s");
  HWND renderer = wait_for_window(kRendererTitle, kStartTimeout, L"opengl demo");
  EXPECT_EQ(find_window(L"Tessarine", L"#32770"), nullptr);  // no message that the renderer is missing
  ASSERT_NE(renderer, nullptr);
  post_key_up(renderer, VK_ESCAPE);
  EXPECT_TRUE(shell.wait());
  EXPECT_TRUE(uninstall_silently());
}

TEST_F(Setup, AnUpgradeRemovesTheUninstallerOfAnEarlierReleaseThatItsEntryNames) {
  const std::wstring earlier = L"\"" + installed(L"uninstall.exe") + L"\"";
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr), ERROR_SUCCESS);
  ASSERT_TRUE(write_file_bytes(installed(L"uninstall.exe"), "an earlier uninstaller"));
  RegSetKeyValueW(HKEY_CURRENT_USER, kEntryKey, L"UninstallString", REG_SZ, earlier.c_str(), 2 * earlier.size() + 2);
  ASSERT_TRUE(install_silently());
  EXPECT_FALSE(exists(installed(L"uninstall.exe")));
}

TEST_F(Setup, RemovalWhileTheSettingsAreOpenKeepsAScreenSaverChosenSince) {
  choose_screen_saver(std::nullopt);
  ASSERT_TRUE(install_silently());
  const std::wstring since = L"C:\\Windows\\System32\\Bubbles.scr";
  choose_screen_saver(since);
  Process settings = Process::start(installed(L"Tessarine.scr"), L"/c");
  ASSERT_NE(wait_for_window(kSettingsTitle), nullptr);
  ASSERT_TRUE(uninstall_silently());
  EXPECT_FALSE(settings.running());
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
