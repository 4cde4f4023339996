// The shell's Win32 services shared by its windows: program folder, settings
// file access, zoom animation and ending the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shell_module.h"

namespace tessarine::shell {

HINSTANCE program_instance();
// The folder that holds the shell program, without a trailing backslash.
std::wstring program_folder();
// program_folder() + "\Tessarine.ini", formed anew at each call.
std::wstring settings_file_path();
// program_folder() + "\Tessarine.dll".
std::wstring renderer_path();
// The program's title (captions the message box).
std::wstring program_title();

// Profile access with the text converted to and from the ANSI code page.
std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& file);
std::wstring WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                      const std::wstring& file);
// The ANSI bytes that WriteIni hands to WritePrivateProfileStringA: section and
// key in NUL-terminated, blank-padded buffers of 128 characters (at most 127
// of each count), the value and file name unchanged.
struct ProfileWrite {
  std::vector<char> section;
  std::vector<char> key;
  std::string value;
  std::string file;
};
ProfileWrite profile_write_arguments(const std::wstring& section, const std::wstring& key,
                                     const std::wstring& value, const std::wstring& file);
// Whether the path names a file that can be opened for reading.
bool FileExists(const std::wstring& path);
// The form of a music path that the settings file can hold: the path itself
// or its short form; nothing when the code page spells neither.
std::optional<std::wstring> storable_music_path(const std::wstring& path);
// The name to show for a stored music path: the file's real long name when
// the short form is stored.
std::wstring shown_music_path(const std::wstring& stored);
// Fills Tessarine_B().settings from the settings file.
void LoadSettings();

// Caption animation between the anchor point and the window's rectangle.
void ZoomOpen(HWND window);
void ZoomClose(HWND window);

// Ends the program at once: no handler of any window runs afterwards.
[[noreturn]] void end_program();

}  // namespace tessarine::shell
