// The settings dialog's decisions: kind enabling, repeat texts and OK's writes.
#include "dialog_state.h"

#include <cmath>
#include <cstdlib>

namespace tessarine::shell::dialog {

namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; }
bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// [blanks][sign]digits[.digits][e[sign]digits][blanks], the whole text used.
std::optional<double> read_number(const std::wstring& text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && is_blank(text[i])) ++i;
  const size_t start = i;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < n && is_digit(text[i])) ++i, ++digits;
  if (i < n && text[i] == L'.') {
    ++i;
    while (i < n && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == L'+' || text[j] == L'-')) ++j;
    size_t exponent_digits = 0;
    while (j < n && is_digit(text[j])) ++j, ++exponent_digits;
    if (exponent_digits == 0) return std::nullopt;
    i = j;
  }
  const size_t end = i;
  while (i < n && is_blank(text[i])) ++i;
  if (i != n) return std::nullopt;
  std::string ascii(text.begin() + static_cast<std::ptrdiff_t>(start), text.begin() + static_cast<std::ptrdiff_t>(end));
  const double value = std::strtod(ascii.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// Nearest integer, halves to the even neighbour, whatever the rounding mode.
double round_half_even(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5) return lower + 1;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

}  // namespace

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
  const double rounded = round_half_even(*number);
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<int16_t>(rounded);
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
  return writes;
}

}  // namespace tessarine::shell::dialog
