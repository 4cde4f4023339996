// Program folder, settings file access, zoom animation and program end.
#include "win32_shell.h"

#include <vector>

namespace tessarine::shell {

StartupModule& Tessarine_B() {
  static StartupModule module;
  return module;
}

namespace {

std::string to_ansi(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

std::wstring from_ansi(const char* text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

// A section or key in a 128-character buffer: NUL-terminated, blank-padded,
// so at most 127 characters count.
std::vector<char> fixed_name(const std::wstring& text) {
  std::string ansi = to_ansi(text);
  if (ansi.size() > 127) ansi.resize(127);
  std::vector<char> buffer(128, ' ');
  std::copy(ansi.begin(), ansi.end(), buffer.begin());
  buffer[ansi.size()] = '\0';
  return buffer;
}

}  // namespace

HINSTANCE program_instance() { return GetModuleHandleW(nullptr); }

std::wstring program_folder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring settings_file_path() { return program_folder() + L"\\Tessarine.ini"; }
std::wstring renderer_path() { return program_folder() + L"\\Tessarine.dll"; }
std::wstring program_title() { return L"Tessarine"; }

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  char buffer[256] = {};
  GetPrivateProfileStringA(to_ansi(section).c_str(), to_ansi(key).c_str(), "", buffer, sizeof buffer,
                           to_ansi(file).c_str());
  buffer[sizeof buffer - 1] = '\0';
  return from_ansi(buffer);
}

std::wstring WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                      const std::wstring& file) {
  std::vector<char> section_buffer = fixed_name(section);
  std::vector<char> key_buffer = fixed_name(key);
  WritePrivateProfileStringA(section_buffer.data(), key_buffer.data(), to_ansi(value).c_str(),
                             to_ansi(file).c_str());
  return {};
}

bool FileExists(const std::wstring& path) {
  std::wstring name = path;
  if (!name.empty() && name.back() == L'\\') name.pop_back();
  if (name.empty()) return false;
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

void LoadSettings() {
  const std::wstring file = settings_file_path();
  load_settings(
      Tessarine_B().settings, [&](const std::wstring& key) { return ReadIni(kSection, key, file); },
      [](const std::wstring& path) { return FileExists(path); }, program_folder());
}

void ZoomOpen(HWND window) {
  const StartupModule& module = Tessarine_B();
  RECT from = {module.AnchorX, module.AnchorY, module.AnchorX, module.AnchorY};
  RECT to = {};
  GetWindowRect(window, &to);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) {
  const StartupModule& module = Tessarine_B();
  RECT from = {};
  GetWindowRect(window, &from);
  RECT to = {module.AnchorX, module.AnchorY, module.AnchorX, module.AnchorY};
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void end_program() { ExitProcess(0); }

}  // namespace tessarine::shell
