// GetOpenFileNameA with the dialog's one filter, title and 255-character buffers.
#include "win32_file_picker.h"

#include <commdlg.h>

#include <vector>

#include "../win32_shell.h"

namespace tessarine::shell::dialog {

namespace {

constexpr wchar_t kFilterName[] = L"BGM\uFF8C\uFF67\uFF72\uFF99 (MP3 WAV)";  // BGMﾌｧｲﾙ (MP3 WAV)
constexpr wchar_t kPattern[] = L"*.MP3;*.WAV";
constexpr wchar_t kTitle[] = L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F";  // ﾌｧｲﾙを開く
constexpr DWORD kBufferSize = 255;

}  // namespace

std::string to_ansi(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring from_ansi(const char* text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::optional<std::wstring> pick_music_file(HWND owner, const std::wstring& folder) {
  // One filter entry: description and pattern, each ended by a NUL, and a
  // second NUL to end the list.
  const std::string filter = to_ansi(kFilterName) + '\0' + to_ansi(kPattern) + '\0' + '\0';
  const std::string initial_folder = to_ansi(folder);
  const std::string title = to_ansi(kTitle);
  // 255 NULs each and one more, so the text always ends inside the buffer.
  std::vector<char> file(kBufferSize + 1, '\0');
  std::vector<char> file_title(kBufferSize + 1, '\0');

  OPENFILENAMEA request = {};
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.hInstance = program_instance();
  request.lpstrFilter = filter.c_str();
  request.lpstrFile = file.data();
  request.nMaxFile = kBufferSize;
  request.lpstrFileTitle = file_title.data();
  request.nMaxFileTitle = kBufferSize;
  request.lpstrInitialDir = initial_folder.c_str();
  request.lpstrTitle = title.c_str();
  request.Flags = 0;  // in particular the file need not exist
  if (GetOpenFileNameA(&request) <= 0) return std::nullopt;
  return from_ansi(file.data());
}

}  // namespace tessarine::shell::dialog
