// GetOpenFileNameW with the dialog's one filter, title and a buffer for the
// longest path Windows gives.
#include "win32_file_picker.h"

#include <commdlg.h>

#include <vector>

#include "win32_program.h"

namespace tessarine::shell::dialog {

namespace {

// One entry, description and pattern, each ended by a NUL; the literal's own
// NUL ends the list.
constexpr wchar_t kFilter[] = L"BGM\uFF8C\uFF67\uFF72\uFF99 (MP3 WAV)\0*.MP3;*.WAV\0";  // BGMﾌｧｲﾙ (MP3 WAV)
constexpr wchar_t kTitle[] = L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F";            // ﾌｧｲﾙを開く
constexpr DWORD kBufferSize = 32768;  // the longest path, "\\?\" form included

}  // namespace

std::optional<std::wstring> pick_music_file(HWND owner, const std::wstring& folder) {
  std::vector<wchar_t> file(kBufferSize, L'\0');
  OPENFILENAMEW request = {};
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  request.hwndOwner = owner;
  request.hInstance = program_instance();
  request.lpstrFilter = kFilter;
  request.lpstrFile = file.data();
  request.nMaxFile = kBufferSize;
  request.lpstrInitialDir = folder.c_str();
  request.lpstrTitle = kTitle;
  // The file need not exist. The process's current folder stays where it
  // was: an open dialog holds no folder of a drive that the user would unplug.
  request.Flags = OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&request)) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace tessarine::shell::dialog
