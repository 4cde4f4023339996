// A stand-in renderer for the saver's tests, copied as Tessarine.dll: it opens
// a window "Tessarine_VC" and ends with exit code 1 on the release of Escape
// or a window close. The shell starts it without arguments, so it reads its
// behaviour from "test_renderer.txt" beside it (or from its arguments), as
// key=value lines:
//   open_after_ms  wait before opening the window (-1: never open one)
//   gaps           how often to close the window and open a new one, as a
//                  switch between full screen and a window does
//   gap_ms         how long each time no window exists
//   gap_every_ms   time between those switches
//   exit_after_ms  end on its own after this long (a safety net for tests)
// It writes its command line to "renderer_command_line.txt" and, once all
// gaps are done, "gaps_done.txt" beside it.
#include <windows.h>

#include <cwchar>
#include <map>
#include <sstream>
#include <string>

#include "window_titles.h"

namespace {

std::map<std::wstring, long> g_config = {
    {L"open_after_ms", 0}, {L"gaps", 0}, {L"gap_ms", 300}, {L"gap_every_ms", 1000}, {L"exit_after_ms", 120000}};
std::wstring g_folder;
HWND g_window = nullptr;
bool g_ending = false;
long g_gaps_left = 0;

constexpr UINT_PTR kGapTimer = 1;

void read_settings(const std::wstring& text) {
  std::wistringstream lines(text);
  std::wstring line;
  while (lines >> line) {
    const size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) continue;
    g_config[line.substr(0, eq)] = std::wcstol(line.c_str() + eq + 1, nullptr, 10);
  }
}

std::wstring read_text(const std::wstring& path) {
  std::wstring text;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  if (ReadFile(file, buffer, sizeof buffer, &got, nullptr)) text.assign(buffer, buffer + got);
  CloseHandle(file);
  return text;
}

void write_text(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

void open_window() {
  g_window = CreateWindowExW(0, L"tessarine test renderer", tessarine::kRendererTitle, WS_POPUP | WS_VISIBLE,
                             60, 60, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (g_gaps_left > 0) SetTimer(g_window, kGapTimer, static_cast<UINT>(g_config[L"gap_every_ms"]), nullptr);
}

void end() {
  g_ending = true;
  if (g_window) DestroyWindow(g_window);
  PostQuitMessage(1);
}

void on_gap_timer() {
  --g_gaps_left;
  HWND old = g_window;
  g_window = nullptr;
  DestroyWindow(old);
  Sleep(static_cast<DWORD>(g_config[L"gap_ms"]));
  open_window();
  if (g_gaps_left == 0) write_text(g_folder + L"\\gaps_done.txt", L"done");
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYUP:
      if (wparam == VK_ESCAPE) end();
      return 0;
    case WM_CLOSE:
      end();
      return 0;
    case WM_TIMER:
      if (wparam == kGapTimer && !g_ending) on_gap_timer();
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  g_folder = self;
  g_folder = g_folder.substr(0, g_folder.find_last_of(L'\\'));
  write_text(g_folder + L"\\renderer_command_line.txt", GetCommandLineW());
  read_settings(read_text(g_folder + L"\\test_renderer.txt"));
  read_settings(arguments);
  g_gaps_left = g_config[L"gaps"];

  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = L"tessarine test renderer";
  RegisterClassW(&window_class);

  SetTimer(nullptr, 0, static_cast<UINT>(g_config[L"exit_after_ms"]), nullptr);
  const long open_after = g_config[L"open_after_ms"];
  if (open_after >= 0) {
    Sleep(static_cast<DWORD>(open_after));
    open_window();
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;  // exit_after_ms
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 1;
}
