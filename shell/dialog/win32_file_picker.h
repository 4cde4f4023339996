// The music file picker: the system's open-file dialog through its wide call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tessarine::shell::dialog {

// Asks for an MP3 or WAV file, starting in `folder`; the full path the user
// accepted, or nothing when the picker was cancelled or failed. The file need
// not exist.
std::optional<std::wstring> pick_music_file(HWND owner, const std::wstring& folder);

}  // namespace tessarine::shell::dialog
