// The music file picker: the system's open-file dialog through its ANSI call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tessarine::shell::dialog {

// Asks for an MP3 or WAV file, starting in `folder`; the full path the user
// accepted, or nothing when the picker was cancelled or failed. The file need
// not exist.
std::optional<std::wstring> pick_music_file(HWND owner, const std::wstring& folder);

// Text in the system's ANSI code page and back (Shift-JIS under code page 932).
std::string to_ansi(const std::wstring& text);
std::wstring from_ansi(const char* text);

}  // namespace tessarine::shell::dialog
