// The settings file through the profile functions, and the music path forms.
#include "win32_settings_file.h"

#include <windows.h>

#include <algorithm>

#include "settings.h"
#include "shell_module.h"
#include "win32_code_page.h"
#include "win32_program.h"

namespace tessarine::shell {

namespace {

// Whether the ANSI profile functions can be handed this file name: every
// character survives the code page. Otherwise they would open another file
// ("caf\u00E9" best fits to "cafe") or none ("?").
bool ansi_can_name(const std::wstring& file) { return spells_exactly(ansi_code_page(), file); }

// A path as GetShortPathNameW or GetLongPathNameW gives it; empty on failure.
std::wstring path_form(DWORD(WINAPI* convert)(LPCWSTR, LPWSTR, DWORD), const std::wstring& path) {
  DWORD size = convert(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring form(size, L'\0');
  size = convert(path.c_str(), form.data(), size);
  if (size == 0 || size >= form.size()) return {};
  form.resize(size);
  return form;
}

// A section or key in a 128-character buffer: NUL-terminated, blank-padded,
// so at most 127 characters count.
std::vector<char> fixed_name(const std::wstring& text) {
  std::string ansi = to_ansi(profile_name(text));
  std::vector<char> buffer(std::max<size_t>(128, ansi.size() + 1), ' ');
  std::copy(ansi.begin(), ansi.end(), buffer.begin());
  buffer[ansi.size()] = '\0';
  return buffer;
}

}  // namespace

std::wstring settings_file_path() { return program_folder() + L"\\Tessarine.ini"; }

// A file whose name the code page cannot spell goes through the wide profile
// functions. They read and write the same file text in the ANSI code page
// (they keep the code page of a file they did not create as Unicode), so the
// bytes stay those of the ANSI calls.
std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  if (!ansi_can_name(file)) {
    wchar_t buffer[kValueBytes + 1] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, kValueBytes + 1, file.c_str());
    return from_ansi(to_ansi(buffer).substr(0, kValueBytes));  // as the ANSI call cuts it
  }
  char buffer[kValueBytes + 1] = {};
  GetPrivateProfileStringA(to_ansi(section).c_str(), to_ansi(key).c_str(), "", buffer, sizeof buffer,
                           to_ansi(file).c_str());
  buffer[sizeof buffer - 1] = '\0';
  return from_ansi(buffer);
}

ProfileWrite profile_write_arguments(const std::wstring& section, const std::wstring& key,
                                     const std::wstring& value, const std::wstring& file) {
  ProfileWrite write;
  write.section = fixed_name(section);
  write.key = fixed_name(key);
  write.value = to_ansi(value);
  write.file = to_ansi(file);
  return write;
}

std::wstring WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                      const std::wstring& file) {
  if (!ansi_can_name(file)) {
    WritePrivateProfileStringW(profile_name(section).c_str(), profile_name(key).c_str(), value.c_str(), file.c_str());
    return {};
  }
  const ProfileWrite write = profile_write_arguments(section, key, value, file);
  WritePrivateProfileStringA(write.section.data(), write.key.data(), write.value.c_str(), write.file.c_str());
  return {};
}

bool FileExists(const std::wstring& path) {
  std::wstring name = path;
  if (!name.empty() && name.back() == L'\\') name.pop_back();
  if (name.empty()) return false;
  // Shared like a plain input open: only a program that locks the file against
  // reading makes it fail. A folder never opens this way.
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    SetLastError(0);
    return false;
  }
  // A device (NUL, a port, a pipe) is no file to play.
  const bool is_file = GetFileType(file) == FILE_TYPE_DISK;
  CloseHandle(file);
  SetLastError(0);
  return is_file;
}

std::optional<std::wstring> storable_music_path(const std::wstring& path) {
  return storable_path(path, ansi_code_page(), [](const std::wstring& p) { return path_form(GetShortPathNameW, p); });
}

std::wstring shown_music_path(const std::wstring& stored) {
  return shown_path(stored, ansi_code_page(), [](const std::wstring& p) { return path_form(GetLongPathNameW, p); });
}

void LoadSettings() {
  const std::wstring file = settings_file_path();
  load_settings(
      Tessarine_B().settings, [&](const std::wstring& key) { return ReadIni(kSection, key, file); }, program_folder());
}

}  // namespace tessarine::shell
