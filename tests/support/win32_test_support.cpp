// Process, window, file and picture helpers for the Windows test programs.
#include "win32_test_support.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "win32_gdi.h"

namespace tessarine::test {

std::wstring dist_dir() {
  wchar_t buffer[MAX_PATH * 4] = {};
  DWORD n = GetEnvironmentVariableW(L"TESSARINE_DIST", buffer, static_cast<DWORD>(std::size(buffer)));
  if (n > 0 && n < std::size(buffer)) return buffer;
  n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  std::wstring self(buffer, n);
  return self.substr(0, self.find_last_of(L'\\'));
}

std::wstring dist_file(const std::wstring& name) { return dist_dir() + L"\\" + name; }

bool wait_until(const std::function<bool()>& pred, Millis timeout, Millis poll) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (pred()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(poll);
  }
}

HWND find_window(const wchar_t* title, const wchar_t* class_name) {
  return FindWindowW(class_name, title);
}

HWND wait_for_window(const wchar_t* title, Millis timeout, const wchar_t* class_name) {
  HWND found = nullptr;
  wait_until([&] { return (found = find_window(title, class_name)) != nullptr; }, timeout);
  return found;
}

bool wait_for_no_window(const wchar_t* title, Millis timeout) {
  return wait_until([&] { return find_window(title) == nullptr; }, timeout);
}

Process Process::start(const std::wstring& program, const std::wstring& arguments,
                       const std::wstring& working_dir) {
  std::wstring command = L"\"" + program + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  std::wstring dir = working_dir;
  if (dir.empty()) dir = program.substr(0, program.find_last_of(L'\\'));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  Process p;
  if (CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     dir.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    p.process_ = info.hProcess;
    p.id_ = info.dwProcessId;
  }
  return p;
}

Process::Process(Process&& other) noexcept : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    kill();
    process_ = other.process_;
    id_ = other.id_;
    other.process_ = nullptr;
    other.id_ = 0;
  }
  return *this;
}

Process::~Process() { kill(); }

bool Process::wait(Millis timeout) {
  if (!process_) return true;
  return WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool Process::running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Process::exit_code() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void Process::kill() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 255);
    WaitForSingleObject(process_, 10000);
  }
  CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

std::vector<HWND> windows_of(DWORD process_id) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{process_id, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == s->pid) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring window_title(HWND window) {
  wchar_t buffer[512] = {};
  int n = GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
  return std::wstring(buffer, n > 0 ? n : 0);
}

std::wstring window_class(HWND window) {
  wchar_t buffer[256] = {};
  int n = GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
  return std::wstring(buffer, n > 0 ? n : 0);
}

static void remove_tree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_tree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  for (;;) {
    wchar_t name[64];
    swprintf(name, std::size(name), L"tessarine-%lu-%lu-%u", GetCurrentProcessId(), GetTickCount(),
             ++counter);
    path_ = std::wstring(temp) + name;
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
  }
}

TempFolder::~TempFolder() { remove_tree(path_); }

std::string to_ansi(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring from_ansi(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string read_file_bytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool write_file_bytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

void post_key_up(HWND window, UINT virtual_key) {
  UINT scan = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
  LPARAM lparam = 1 | (static_cast<LPARAM>(scan) << 16) | (1LL << 30) | (1LL << 31);
  PostMessageW(window, WM_KEYUP, virtual_key, lparam);
}

POINT centre_on_screen(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void move_pointer(POINT to) {
  SetCursorPos(to.x, to.y);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = MulDiv(to.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(to.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  SendInput(1, &input, sizeof input);
}

void mouse_buttons(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

static void press_over(HWND window, DWORD down, DWORD up) {
  const POINT centre = centre_on_screen(window);
  move_pointer({centre.x - 3, centre.y - 2});
  move_pointer(centre);
  mouse_buttons(down);
  mouse_buttons(up);
}

void click(HWND window) { press_over(window, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
void right_click(HWND window) { press_over(window, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

void press_key(WORD virtual_key, bool shift) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, 0);
  add(virtual_key, 0);
  add(virtual_key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

int screen_dpi() {
  gdi::WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

Picture Picture::part(const RECT& area) const {
  Picture block;
  block.width = area.right - area.left;
  block.height = area.bottom - area.top;
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) block.pixels.push_back(at(x, y));
  return block;
}

static Picture read_dc(HDC source, int x, int y, int width, int height) {
  Picture picture;
  if (!source || width <= 0 || height <= 0) return picture;
  gdi::MemoryDc memory(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  gdi::Bitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return picture;
  gdi::Selection selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<size_t>(width) * height);
  const auto* p = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    uint32_t v = p[i];
    picture.pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  return picture;
}

Picture capture_client(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  gdi::WindowDc dc(window);
  return read_dc(dc.get(), 0, 0, client.right, client.bottom);
}

// Under Wine the screen's device context does not show OpenGL windows, so the
// test run names a command that captures the X screen into a BMP file.
static Picture capture_screen_externally(const std::wstring& command, const std::wstring& file,
                                         const RECT& area) {
  Picture picture;
  DeleteFileW(file.c_str());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::wstring line = command;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return picture;
  // A Unix process started from Wine cannot be waited for: poll for its file.
  if (info.hThread) CloseHandle(info.hThread);
  if (info.hProcess) CloseHandle(info.hProcess);
  std::string bytes;
  wait_until([&] {
    bytes = read_file_bytes(file);
    return bytes.size() > 54;
  }, 30s, 50ms);
  if (bytes.size() <= 54 || bytes[0] != 'B' || bytes[1] != 'M') return picture;
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
  };
  const uint32_t offset = u32(10);
  const int width = static_cast<int>(u32(18));
  const int raw_height = static_cast<int>(u32(22));
  const int bits = static_cast<uint8_t>(bytes[28]) | static_cast<uint8_t>(bytes[29]) << 8;
  if (bits != 24 && bits != 32) return picture;
  const int height = raw_height < 0 ? -raw_height : raw_height;
  const size_t stride = ((static_cast<size_t>(width) * bits / 8) + 3) & ~size_t{3};
  if (bytes.size() < offset + stride * height) return picture;
  // The X screen starts at the virtual screen's corner, left of or above the
  // primary's when a monitor lies there.
  const LONG x0 = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const LONG y0 = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT clip = {std::max<LONG>(area.left - x0, 0), std::max<LONG>(area.top - y0, 0),
               std::min<LONG>(area.right - x0, width), std::min<LONG>(area.bottom - y0, height)};
  if (clip.right <= clip.left || clip.bottom <= clip.top) return picture;
  picture.width = clip.right - clip.left;
  picture.height = clip.bottom - clip.top;
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    const int screen_y = clip.top + y;
    const int row = raw_height < 0 ? screen_y : height - 1 - screen_y;
    const char* p = bytes.data() + offset + stride * row + static_cast<size_t>(clip.left) * (bits / 8);
    for (int x = 0; x < picture.width; ++x, p += bits / 8) {
      picture.pixels[static_cast<size_t>(y) * picture.width + x] =
          RGB(static_cast<uint8_t>(p[2]), static_cast<uint8_t>(p[1]), static_cast<uint8_t>(p[0]));
    }
  }
  return picture;
}

static std::wstring environment(const wchar_t* name) {
  wchar_t buffer[2048] = {};
  DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
  return n > 0 && n < std::size(buffer) ? std::wstring(buffer, n) : std::wstring();
}

Picture capture_screen(const RECT& area) {
  const std::wstring command = environment(L"TESSARINE_SCREENSHOT_COMMAND");
  const std::wstring file = environment(L"TESSARINE_SCREENSHOT_FILE");
  if (!command.empty() && !file.empty()) return capture_screen_externally(command, file, area);
  gdi::WindowDc dc(nullptr);
  return read_dc(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top);
}

bool colour_near(COLORREF colour, int r, int g, int b, int tolerance) {
  return std::abs(GetRValue(colour) - r) <= tolerance && std::abs(GetGValue(colour) - g) <= tolerance &&
         std::abs(GetBValue(colour) - b) <= tolerance;
}

std::string describe(COLORREF colour) {
  char text[48];
  std::snprintf(text, sizeof text, "(%d, %d, %d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

}  // namespace tessarine::test
