// The settings record and the platform-free rules of the settings file:
// reading numbers, writing integer text, path parts and validation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "code_page.h"
#include "picture_options.h"

namespace tessarine::shell {

// Music kinds kept in BgmKind.
inline constexpr int16_t kBgmNone = 0;
inline constexpr int16_t kBgmCd = 1;
inline constexpr int16_t kBgmFile = 2;

struct SettingsRecord {
  int16_t BgmKind = 0;     // 0 none, 1 audio CD, 2 MP3 or WAV file; other values play nothing
  int16_t BgmRepeat = 0;   // CD track to repeat, 0 none
  std::wstring BgmFile;    // full path of the music file, or empty
  std::wstring BgmFolder;  // where the file picker starts; never stored
  renderer::PictureOptions picture;  // the renderer's picture; standard until loaded
};

// The most bytes of a value that the settings file gives back; a longer one
// comes back cut.
inline constexpr size_t kValueBytes = 255;

// Settings file names as the program's text; converted to the ANSI code page
// (Shift-JIS under code page 932) when handed to the profile functions.
inline const std::wstring kSection = L"Section";
inline const std::wstring kKeyKind = L"BGM\u533A\u5206";                    // BGM区分
inline const std::wstring kKeyRepeat = L"BGM\uFF98\uFF8B\uFF9F\uFF70\uFF84";  // BGMﾘﾋﾟｰﾄ
inline const std::wstring kKeyFile = L"BGM\uFF8C\uFF67\uFF72\uFF99";          // BGMﾌｧｲﾙ
// The picture's keys are ASCII, so that the file reads the same on every code page.
inline const std::wstring kKeySpeed = L"Speed";                    // decimal, 0.25 to 4
inline const std::wstring kKeyDensity = L"Density";                // 1 to 3
inline const std::wstring kKeyColour = L"Colour";                  // RRGGBB
inline const std::wstring kKeyFrameRateLimit = L"FrameRateLimit";  // 0: the display's rate
inline const std::wstring kKeyShowFrameRate = L"ShowFrameRate";    // 1 or 0
inline const std::wstring kKeyEndOnAnyInput = L"EndOnAnyInput";    // 0 or 1

// Integer text as the settings file stores it: a blank before zero and
// positive numbers, a minus sign before negative ones (2 -> " 2").
std::wstring integer_text(long long value);

// Any text that reads as a number (blanks around it, sign, fraction) gives its
// integer part rounded down; nothing when it is not a number or does not fit
// 16 bits. Rounded down, not to the nearest as the dialog's typed repeat is:
// the settings file's numbers have always been read so.
std::optional<int16_t> read_int16(const std::wstring& text);

// The part of a section or key name that a 128-character buffer keeps: the
// text up to its first NUL, at most 127 characters.
std::wstring profile_name(const std::wstring& name);

// The folder part of a path without its trailing backslash:
// "C:\Music\a.mp3" -> "C:\Music", "C:\a.mp3" -> "C:", "a.mp3" -> "".
std::wstring FolderOf(const std::wstring& path);

// The form in which the settings file, kept in `code_page`, holds a music
// path so that it reads back: the path itself when the code page spells it
// exactly in at most kValueBytes bytes, so that its bytes stay those that
// every earlier version wrote; else its short (8.3) form from `short_form`
// (empty when it has none), which names the same file, when that reads back;
// nothing when neither does.
std::optional<std::wstring> storable_path(const std::wstring& path, const CodePage& code_page,
                                          const std::function<std::wstring(const std::wstring&)>& short_form);

// The name shown for a stored music path: the real long name from
// `long_form` where the stored one stands for a name that would not read
// back (one the code page cannot spell, or too long), else the path as stored.
std::wstring shown_path(const std::wstring& stored, const CodePage& code_page,
                        const std::function<std::wstring(const std::wstring&)>& long_form);

// A key of the settings file with its value as written.
struct KeyValue {
  std::wstring key;
  std::wstring value;
};

// The picture as the six keys give it: a missing, empty or unreadable value
// gives the standard one, a number out of range is clamped (as the
// renderer's option readers do). A switch reads as a whole number, clamped
// to 0 or 1. `read` gives a key's value (empty when missing).
renderer::PictureOptions read_picture(const std::function<std::wstring(const std::wstring& key)>& read);

// The six keys in order with their plain values ("1.5", "3", "FF8000", "30",
// "1", "0").
std::vector<KeyValue> picture_values(const renderer::PictureOptions& picture);

// Fills the record from the values of the settings file, in order, as
// LoadSettings does: the three music values, then the picture. `read` gives a
// key's value (empty when missing). The music choice is kept as stored even
// while its file does not open (a drive unplugged for a moment): the saver
// run checks the file when it plays.
void load_settings(SettingsRecord& record, const std::function<std::wstring(const std::wstring& key)>& read,
                   const std::wstring& program_folder);

}  // namespace tessarine::shell
