// Helpers for Windows test programs that start Tessarine's programs as
// processes and observe them through Win32 calls only (they run unchanged on
// Windows and under Wine).
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessarine::test {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// Generous, so that a loaded two-core machine under Wine still passes.
inline constexpr Millis kStartTimeout = 30s;

// Folder that holds Tessarine.scr and Tessarine.dll (TESSARINE_DIST, else the
// test program's own folder).
std::wstring dist_dir();
std::wstring dist_file(const std::wstring& name);  // dist_dir() + L"\\" + name

// Polls pred every poll until it holds or timeout passes; true when it held.
bool wait_until(const std::function<bool()>& pred, Millis timeout, Millis poll = 25ms);

// A top-level window with exactly this title (and class, when given), or null.
HWND find_window(const wchar_t* title, const wchar_t* class_name = nullptr);
HWND wait_for_window(const wchar_t* title, Millis timeout = kStartTimeout,
                     const wchar_t* class_name = nullptr);
bool wait_for_no_window(const wchar_t* title, Millis timeout = kStartTimeout);

// A started program; killed on destruction if still running.
class Process {
 public:
  Process() = default;
  // Starts `program` with `arguments` (the text after the program name) in
  // `working_dir` (empty: the program's folder).
  static Process start(const std::wstring& program, const std::wstring& arguments = L"",
                       const std::wstring& working_dir = L"");
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_; }
  // True when the process ended within the timeout.
  bool wait(Millis timeout = kStartTimeout);
  bool running() const;
  // Exit code once ended; STILL_ACTIVE otherwise.
  DWORD exit_code() const;
  void kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The top-level windows of a process (visible or not).
std::vector<HWND> windows_of(DWORD process_id);
std::wstring window_title(HWND window);
std::wstring window_class(HWND window);

// A fresh folder under %TEMP%, removed with everything in it on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Text in the system's ANSI code page (Shift-JIS under code page 932).
std::string to_ansi(const std::wstring& text);
std::wstring from_ansi(const std::string& text);
std::string read_file_bytes(const std::wstring& path);
bool write_file_bytes(const std::wstring& path, const std::string& bytes);

// Posts a key release (WM_KEYUP) to a window, as the renderer acts on release.
void post_key_up(HWND window, UINT virtual_key);

// Real input (SendInput), as a user gives it: the window under the pointer or
// with the focus takes it, whichever process it belongs to.
POINT centre_on_screen(HWND window);
void move_pointer(POINT to);      // screen pixels; the pointer moves there as a mouse moves it
void mouse_buttons(DWORD flags);  // MOUSEEVENTF_LEFTDOWN and the like, where the pointer is
// A press and release over the middle of a window. The pointer first moves
// within it: a button sees the pointer enter only through a move, and it may
// already stand on that very spot.
void click(HWND window);
void right_click(HWND window);
void press_key(WORD virtual_key, bool shift = false);  // down and up

// The screen's dots per inch (96 unless the system scales).
int screen_dpi();

// 24-bit pixels read from a device context.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row-major, top row first
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  Picture part(const RECT& area) const;  // an area that lies inside the picture
};
// The client area of a window, read from its own device context.
Picture capture_client(HWND window);
// A rectangle of the screen as shown, OpenGL windows included. Under Wine the
// test run sets TESSARINE_SCREENSHOT_COMMAND (a command that writes a BMP of
// the X screen) and TESSARINE_SCREENSHOT_FILE (that BMP's Windows path).
Picture capture_screen(const RECT& area);

// True when the colour is within `tolerance` of (r, g, b) in every channel.
bool colour_near(COLORREF colour, int r, int g, int b, int tolerance);
std::string describe(COLORREF colour);  // "(r, g, b)"

}  // namespace tessarine::test
