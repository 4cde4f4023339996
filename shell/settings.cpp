// Platform-free rules of the settings file.
#include "settings.h"

#include <cmath>
#include <cstdlib>

namespace tessarine::shell {

std::wstring integer_text(long long value) {
  if (value < 0) return L"-" + std::to_wstring(-(value + 1) + 1ULL);
  return L" " + std::to_wstring(value);
}

namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; }
bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Parses [blanks][sign]digits[.digits][e[sign]digits][blanks]; the whole text
// must be used.
std::optional<double> read_number(const std::wstring& text) {
  size_t i = 0, n = text.size();
  while (i < n && is_blank(text[i])) ++i;
  size_t start = i;
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
    size_t exp_digits = 0;
    while (j < n && is_digit(text[j])) ++j, ++exp_digits;
    if (exp_digits > 0) i = j;
  }
  size_t end = i;
  while (i < n && is_blank(text[i])) ++i;
  if (i != n) return std::nullopt;
  std::string ascii;
  for (size_t k = start; k < end; ++k) ascii.push_back(static_cast<char>(text[k]));
  return std::strtod(ascii.c_str(), nullptr);
}

}  // namespace

std::optional<int16_t> read_int16(const std::wstring& text) {
  auto number = read_number(text);
  if (!number || !std::isfinite(*number)) return std::nullopt;
  double whole = std::floor(*number);
  if (whole < -32768.0 || whole > 32767.0) return std::nullopt;
  return static_cast<int16_t>(whole);
}

std::wstring profile_name(const std::wstring& name) {
  std::wstring kept = name.substr(0, name.find(L'\0'));
  if (kept.size() > 127) kept.resize(127);
  return kept;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t last = std::wstring::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == L':' || path[i] == L'\\') last = i;
  }
  if (last == std::wstring::npos) return {};
  std::wstring folder = path.substr(0, last + 1);
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

void load_settings(SettingsRecord& record, const std::function<std::wstring(const std::wstring&)>& read,
                   const std::function<bool(const std::wstring&)>& file_exists,
                   const std::wstring& program_folder) {
  auto read_number_into = [&](const std::wstring& key, int16_t& field) {
    std::wstring value = read(key);
    if (value.empty()) {
      field = 0;
    } else if (auto number = read_int16(value)) {
      field = *number;
    }
  };
  read_number_into(kKeyKind, record.BgmKind);
  read_number_into(kKeyRepeat, record.BgmRepeat);

  record.BgmFile = read(kKeyFile);
  if (!record.BgmFile.empty() && !file_exists(record.BgmFile)) record.BgmFile.clear();
  if (record.BgmFile.empty() && record.BgmKind == kBgmFile) record.BgmKind = kBgmNone;

  record.BgmFolder = record.BgmFile.empty() ? program_folder : FolderOf(record.BgmFile);
}

}  // namespace tessarine::shell
