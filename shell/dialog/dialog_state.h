// What the settings dialog decides, free of any window: the music kind with
// the enabling that follows it, the repeat texts and what OK writes. The
// picture group's choices are picture_state.h's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings.h"

namespace tessarine::shell::dialog {

// The number of music kinds that have a mark and a label (0, 1, 2).
inline constexpr int kKindCount = 3;

// Which controls follow the chosen kind.
struct Enabling {
  bool repeat = false;             // BGM_Repeat
  bool file = false;               // Cmd_File(0)
  std::optional<int> marked_kind;  // the mark shown selected; none for an out-of-range kind
};

// The enabling for a kind: 1 enables the repeat list, 2 the file button; a
// kind that no mark has selects nothing.
Enabling enabling_for(int16_t kind);

// A number formatted with "##": digits without leading zeros, a minus sign
// before negative numbers, the empty text for 0.
std::wstring repeat_text(int16_t value);

// The 31 entries of the repeat list: the empty text, then "1" to "30".
std::vector<std::wstring> repeat_list();

// A text that reads as a number (blanks around it, optional sign, optional
// fraction, optional exponent) rounded to the nearest integer, halves to the
// even neighbour. Nothing when the text is no number or the rounded value
// does not fit 16 bits.
std::optional<int16_t> repeat_number(const std::wstring& text);

// The repeat value OK stores: the rounded number, or 0 when the text is no
// number (or one that does not fit 16 bits).
int16_t repeat_value(const std::wstring& text);

// One key and value handed to the settings file, in the order of writing.
struct Write {
  std::wstring key;
  std::wstring value;
};

// The dialog's edits of the settings record.
class DialogState {
 public:
  explicit DialogState(SettingsRecord& record) : record_(record) {}

  const SettingsRecord& record() const { return record_; }
  Enabling enabling() const { return enabling_for(record_.BgmKind); }

  // A mouse button pressed on the mark or label of `kind`. The file and the
  // repeat text stay as they are.
  void select_kind(int kind);

  // The file picker accepted `path`: it becomes the file, and the next browse
  // starts in its folder.
  void choose_file(const std::wstring& path);

  // OK: takes the repeat value from `repeat_field` into the record and returns
  // the nine keys with their values in the order they are written: the three
  // music keys as every earlier version wrote them, then the picture's six.
  std::vector<Write> accept(const std::wstring& repeat_field);

 private:
  SettingsRecord& record_;
};

}  // namespace tessarine::shell::dialog
