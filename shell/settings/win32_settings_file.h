// The settings file Tessarine.ini beside the program, through the profile
// functions: reading and writing its values in the ANSI code page, whether a
// music file opens, and the forms of a music path that it can hold.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarine::shell {

// program_folder() + "\Tessarine.ini", formed anew at each call.
std::wstring settings_file_path();

// Profile access with the text converted to and from the ANSI code page.
// WriteIni gives back the empty text, whatever happened.
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

// The form of a music path that the settings file can hold and give back:
// the path itself or its short form; nothing when neither reads back.
std::optional<std::wstring> storable_music_path(const std::wstring& path);
// The name to show for a stored music path: the file's real long name when
// the short form is stored.
std::wstring shown_music_path(const std::wstring& stored);

// Fills Tessarine_B().settings from the settings file.
void LoadSettings();

}  // namespace tessarine::shell
