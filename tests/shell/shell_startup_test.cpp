// The real Tessarine.scr started with the screen saver arguments: the
// single-instance guard, the renderer check and its message, the end of the
// other modes, and bad settings files and arguments.
#include <gtest/gtest.h>

#include <random>

#include "dialog_layout.h"  // the dialog's child window identifiers
#include "settings.h"       // the keys of the settings file
#include "shell_copy.h"
#include "shell_test_windows.h"
#include "win32_gdi.h"
#include "win32_test_support.h"
#include "window_titles.h"

namespace tessarine::test {
namespace {

using shell::kKeyFile;
using shell::kKeyKind;
using shell::kKeyRepeat;

const std::wstring kMissingRenderer =
    L"Tessarine.dll \u304C\u540C\u3058\uFF8C\uFF6B\uFF99\uFF80\uFF9E\u306B\u898B\u3064\u304B\u308A\u307E\u305B"
    L"\u3093\uFF01";

// The renderer check only asks for a readable file, so a stand-in suffices
// where the renderer is not meant to start.
struct ShellWithStandIn : ShellCopy {
  explicit ShellWithStandIn(const std::wstring& folder_name = L"") : ShellCopy(L"", folder_name) {
    EXPECT_TRUE(write_file_bytes(file(L"Tessarine.dll"), "not started\r\n"));
  }
};

// Whether the cursor shows as the shell's thread has it: this thread shares
// that thread's input state (and with it the cursor's display count), and a
// window of its own lies in front, under the cursor.
class ShellCursor {
 public:
  explicit ShellCursor(HWND shell_window)
      : shell_thread_(GetWindowThreadProcessId(shell_window, nullptr)),
        window_(CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 600, 400, 100, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr)) {
    attached_ = AttachThreadInput(GetCurrentThreadId(), shell_thread_, TRUE) != FALSE;
    SetForegroundWindow(window_);
    SetCursorPos(650, 450);
  }
  ~ShellCursor() {
    if (attached_) AttachThreadInput(GetCurrentThreadId(), shell_thread_, FALSE);
    DestroyWindow(window_);
  }
  ShellCursor(const ShellCursor&) = delete;
  ShellCursor& operator=(const ShellCursor&) = delete;

  bool attached() const { return attached_; }
  bool showing() const {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING);
  }

 private:
  DWORD shell_thread_;
  HWND window_;
  bool attached_ = false;
};

std::wstring show(const std::wstring& arguments) {
  return L"arguments: \"" + (arguments.size() > 40 ? arguments.substr(0, 40) + L"..." : arguments) + L"\"";
}

bool is_message_box(HWND window) { return window_class(window) == L"#32770"; }

// The windows a user could see, and the shell's own marker windows even when hidden.
std::vector<HWND> shown_windows_of(DWORD process_id) {
  std::vector<HWND> shown;
  for (HWND window : windows_of(process_id)) {
    const std::wstring title = window_title(window);
    if (IsWindowVisible(window) || title == kSaverTitle || title == kSettingsTitle ||
        window_class(window) == L"Tessarine_R")
      shown.push_back(window);
  }
  return shown;
}

// A start that ends with exit code 0 without showing any window on the way.
::testing::AssertionResult ends_showing_nothing(const ShellCopy& shell, const std::wstring& arguments) {
  Process process = shell.start(arguments);
  size_t seen = 0;
  if (!pump_until([&] {
        seen += shown_windows_of(process.id()).size();
        return !process.running();
      }))
    return ::testing::AssertionFailure() << "still running";
  if (process.exit_code() != 0) return ::testing::AssertionFailure() << "exit code " << process.exit_code();
  if (seen != 0) return ::testing::AssertionFailure() << "it showed " << seen << " window(s)";
  return ::testing::AssertionSuccess();
}

HWND wait_for_message_box(const Process& process) {
  HWND box = nullptr;
  wait_until(
      [&] {
        for (HWND window : windows_of(process.id()))
          if (is_message_box(window) && IsWindowVisible(window)) box = window;
        return box != nullptr || !process.running();
      },
      kStartTimeout);
  return box;
}

struct BoxContents {
  std::wstring title, text;
  std::vector<std::wstring> buttons;
  bool has_icon = false;
  HWND button = nullptr;
};

BoxContents read_box(HWND box) {
  BoxContents contents;
  contents.title = window_title(box);
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  contents.text = text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring kind = window_class(child);
    if (!IsWindowVisible(child)) continue;
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
      contents.buttons.push_back(window_title(child));
      contents.button = child;
    }
    // Wine keeps an empty icon control in every message box: an icon counts
    // only when one is set.
    if (_wcsicmp(kind.c_str(), L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0)
      contents.has_icon = true;
  }
  return contents;
}

void press(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

TEST(MissingRenderer, EveryModeButPreviewShowsTheMessageAloneAndEndsWhenItIsDismissed) {
  ShellCopy shell(L"");
  for (const std::wstring& arguments : std::vector<std::wstring>{L"/s", L"/c", L"/c:1234", L"", L"x", L"/a 1234",
                                       L"/s" + std::wstring(10000, L'x')}) {
    SCOPED_TRACE(show(arguments));
    Process process = shell.start(arguments);
    ASSERT_TRUE(process.started());
    HWND box = wait_for_message_box(process);
    ASSERT_NE(box, nullptr) << "no message box; exit code " << process.exit_code();
    const BoxContents contents = read_box(box);
    EXPECT_EQ(contents.text, kMissingRenderer);
    EXPECT_EQ(contents.title, L"Tessarine");
    EXPECT_EQ(contents.buttons.size(), 1u);
    EXPECT_FALSE(contents.has_icon);
    EXPECT_EQ(shown_windows_of(process.id()), std::vector<HWND>{box});
    press(contents.button);
    EXPECT_TRUE(process.wait()) << "the program did not end after the message";
    EXPECT_EQ(process.exit_code(), 0u);
  }
}

TEST(MissingRenderer, PreviewShowsNoMessage) {
  ShellCopy shell(L"");
  TestWindow parent(L"parent", 152, 112);
  Process process = shell.start(L"/p " + parent.handle_text());
  HWND preview = nullptr;
  ASSERT_TRUE(pump_until([&] { return (preview = FindWindowExW(parent.get(), nullptr, L"Tessarine_R", nullptr)); }));
  EXPECT_TRUE(process.running());
  for (HWND window : windows_of(process.id())) EXPECT_FALSE(is_message_box(window));
  // With no parent at all the program ends at once, still without a message.
  Process alone = shell.start(L"/p 0");
  EXPECT_TRUE(alone.wait());
  EXPECT_EQ(alone.exit_code(), 0u);
  PostMessageW(preview, WM_CLOSE, 0, 0);
  EXPECT_TRUE(pump_until([&] { return !process.running(); }));
}

// A stand-in for another instance: its saver window or its settings dialog.
TEST(SingleInstance, AnyStartEndsAtOnceWhileASaverOrDialogWindowExists) {
  ShellCopy shell;
  TestWindow parent(L"parent", 152, 112);
  for (const wchar_t* marker : {kSaverTitle, kSettingsTitle}) {
    TestWindow other(marker, 10, 10, /*visible=*/false);
    for (const std::wstring& arguments : std::vector<std::wstring>
         {L"/s", L"/c", L"", L"/a 1234", L"/p 0", L"/p " + parent.handle_text()}) {
      SCOPED_TRACE(std::wstring(marker) + L", " + show(arguments));
      EXPECT_TRUE(ends_showing_nothing(shell, arguments));
      EXPECT_TRUE(children_of(parent.get()).empty());
    }
  }
  // The real renderer never started.
  EXPECT_EQ(find_window(kRendererTitle), nullptr);
}

TEST(ModeTable, OtherLettersEndAfterTheCheckWithoutAnyWindow) {
  ShellWithStandIn shell;
  for (const std::wstring& arguments : std::vector<std::wstring>{L"x", L"s", L"/a 1234", L"-x", std::wstring(10000, L'x'),
                                       std::wstring(10000, L'\u5168')}) {
    SCOPED_TRACE(show(arguments));
    EXPECT_TRUE(ends_showing_nothing(shell, arguments));
  }
}

TEST(ModeTable, SaverLoadsTheHiddenSaverWindowAndHidesTheCursor) {
  // The stand-in renderer cannot start, so a run would end by itself after
  // its wait for the renderer's window.
  ShellWithStandIn shell;
  for (const std::wstring arguments : {L"/s", L"-S"}) {
    SCOPED_TRACE(show(arguments));
    Process process = shell.start(arguments);
    HWND saver = nullptr;
    ASSERT_TRUE(wait_until([&] {
      for (HWND window : windows_of(process.id()))
        if (window_title(window) == kSaverTitle) saver = window;
      return saver != nullptr;
    }, kStartTimeout, 10ms));
    EXPECT_FALSE(IsWindowVisible(saver));

    ShellCursor cursor(saver);
    ASSERT_TRUE(cursor.attached());
    EXPECT_FALSE(cursor.showing()) << "the saver hides the cursor";
    PostMessageW(saver, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.wait());
    EXPECT_TRUE(cursor.showing()) << "the cursor stays hidden after the run";
  }
}

// No arguments at all is how Explorer's Configure starts a screen saver.
TEST(ModeTable, ConfigureAndNoArgumentsShowTheDialogAndEndWhenItCloses) {
  ShellCopy shell;
  for (const wchar_t* arguments : {L"/c", L"/C:4242", L""}) {
    SCOPED_TRACE(show(arguments));
    Process process = shell.start(arguments);
    HWND dialog = wait_for_window(kSettingsTitle);
    ASSERT_NE(dialog, nullptr);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(dialog, &owner_process);
    EXPECT_EQ(owner_process, process.id());
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    EXPECT_EQ(find_window(kSaverTitle), nullptr);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.wait());
    EXPECT_EQ(process.exit_code(), 0u);
  }
  EXPECT_EQ(find_window(kRendererTitle), nullptr) << "a renderer was started";
}

// A folder whose name code page 932 cannot spell ("caf\u00E9" would reach
// the ANSI functions as "cafe"): the settings are read there as anywhere.
TEST(ProgramFolder, ANameTheCodePageCannotSpellKeepsTheSettings) {
  ShellWithStandIn shell(L"caf\u00E9");
  shell.write_settings(1, 3, L"");
  Process process = shell.start(L"/c");
  HWND dialog = wait_for_window(kSettingsTitle);
  ASSERT_NE(dialog, nullptr) << "no dialog; exit code " << process.exit_code();
  // The repeat track of the file shows once the dialog has loaded (its
  // combo box keeps the text in its edit field, read in its own process).
  std::wstring shown;
  EXPECT_TRUE(wait_until([&] {
    HWND repeat = GetDlgItem(GetDlgItem(dialog, shell::dialog::kIdPanel), shell::dialog::kIdRepeat);
    wchar_t text[16] = {};
    if (repeat) SendMessageTimeoutW(repeat, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                                    SMTO_ABORTIFHUNG, 5000, nullptr);
    shown = text;
    return IsWindowVisible(dialog) && !shown.empty();
  }, 10s)) << "the dialog shows no repeat track";
  EXPECT_EQ(shown, L"3");
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process.wait());
}

// A settings file of any content is read without a crash and left as it was.
TEST(BadSettings, NeverCrashAndNeverChangeTheFile) {
  ShellWithStandIn shell;
  const std::string kind = to_ansi(kKeyKind), repeat = to_ansi(kKeyRepeat), file = to_ansi(kKeyFile);
  std::mt19937 random(20261208);
  auto random_bytes = [&](size_t n) {
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
  };
  std::string huge = "[Section]\r\n";
  while (huge.size() < 4 * 1024 * 1024) huge += kind + "=" + std::to_string(random()) + "\r\n" + random_bytes(200);
  const std::string folder = to_ansi(shell.home());
  std::vector<std::pair<const char*, std::string>> files = {
      {"random bytes", random_bytes(4096)},
      {"random bytes after the section", "[Section]\r\n" + random_bytes(20000)},
      {"huge", huge},
      {"values of 300 bytes", "[Section]\r\n" + kind + "=" + std::string(300, '7') + "\r\n" + repeat + "=" +
                                  std::string(300, ' ') + "\r\n" + file + "=C:\\" + std::string(300, 'a') + "\r\n"},
      {"numbers beyond 16 bits", "[Section]\r\n" + kind + "=99999999999999999999\r\n" + repeat + "=-32769\r\n"},
      {"a folder as music", "[Section]\r\n" + kind + "= 2\r\n" + file + "=" + folder + "\\\r\n"},
      {"a deleted music file", "[Section]\r\n" + kind + "= 2\r\n" + file + "=" + folder + "\\gone.mp3\r\n"},
      {"a device as music", "[Section]\r\n" + kind + "= 2\r\n" + file + "=NUL\r\n"},
  };
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    const std::wstring ini = shell.settings_file();
    ASSERT_TRUE(write_file_bytes(ini, bytes));
    Process process = shell.start(L"x");
    EXPECT_TRUE(process.wait());
    EXPECT_EQ(process.exit_code(), 0u);
    EXPECT_TRUE(read_file_bytes(ini) == bytes) << "the settings file changed";
    DeleteFileW(ini.c_str());
  }
}

TEST(ProgramFile, NamesTheProductAndCarriesTheIcon) {
  const std::wstring program = dist_file(L"Tessarine.scr");
  DWORD ignored = 0;
  std::vector<char> version(GetFileVersionInfoSizeW(program.c_str(), &ignored));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  wchar_t* product = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(version.data(), L"\\StringFileInfo\\041104B0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_EQ(std::wstring(product), L"Tessarine (ScreenSaver)");

  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  ASSERT_NE(icon, nullptr);
  // Drawn on white: a dark blue tile with rounded corners, the grid's bright
  // horizon across its middle.
  gdi::WindowDc screen(nullptr);
  gdi::MemoryDc memory(screen.get());
  gdi::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), 32, 32));
  gdi::Selection selected(memory.get(), bitmap.get());
  const HDC dc = memory.get();
  PatBlt(dc, 0, 0, 32, 32, WHITENESS);
  DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
  for (POINT corner : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}, POINT{31, 31}})
    EXPECT_TRUE(colour_near(GetPixel(dc, corner.x, corner.y), 255, 255, 255, 12))
        << corner.x << ", " << corner.y << ": " << describe(GetPixel(dc, corner.x, corner.y));
  for (POINT tile : {POINT{16, 1}, POINT{16, 30}})
    EXPECT_TRUE(colour_near(GetPixel(dc, tile.x, tile.y), 0, 26, 51, 12))
        << tile.x << ", " << tile.y << ": " << describe(GetPixel(dc, tile.x, tile.y));
  const COLORREF line = GetPixel(dc, 16, 16);
  EXPECT_GT(GetGValue(line), 200) << describe(line);
  EXPECT_GT(GetGValue(line), GetRValue(line) + 20) << describe(line);
  DestroyIcon(icon);
  FreeLibrary(module);
}

}  // namespace
}  // namespace tessarine::test
