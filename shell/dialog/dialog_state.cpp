// The settings dialog's decisions: kind enabling, repeat texts and OK's writes.
#include "dialog_state.h"

#include "number_text.h"

namespace tessarine::shell::dialog {

Enabling enabling_for(int16_t kind) {
  Enabling result;
  result.repeat = kind == kBgmCd;
  result.file = kind == kBgmFile;
  if (kind >= 0 && kind < kKindCount) result.marked_kind = kind;
  return result;
}

std::wstring repeat_text(int16_t value) {
  if (value == 0) return {};
  return std::to_wstring(value);
}

std::vector<std::wstring> repeat_list() {
  std::vector<std::wstring> entries;
  for (int16_t i = 0; i <= 30; ++i) entries.push_back(repeat_text(i));
  return entries;
}

std::optional<int16_t> repeat_number(const std::wstring& text) {
  const std::optional<double> number = read_number(text);
  if (!number) return std::nullopt;
  return nearest<int16_t>(*number);
}

int16_t repeat_value(const std::wstring& text) { return repeat_number(text).value_or(0); }

void DialogState::select_kind(int kind) {
  if (kind < 0 || kind >= kKindCount) return;
  record_.BgmKind = static_cast<int16_t>(kind);
}

void DialogState::choose_file(const std::wstring& path) {
  record_.BgmFile = path;
  record_.BgmFolder = FolderOf(path);
}

std::vector<Write> DialogState::accept(const std::wstring& repeat_field) {
  std::vector<Write> writes;
  writes.push_back({kKeyKind, integer_text(record_.BgmKind)});
  record_.BgmRepeat = repeat_value(repeat_field);
  writes.push_back({kKeyRepeat, integer_text(record_.BgmRepeat)});
  writes.push_back({kKeyFile, record_.BgmFile});
  for (const KeyValue& picture : picture_values(record_.picture)) writes.push_back({picture.key, picture.value});
  return writes;
}

}  // namespace tessarine::shell::dialog
