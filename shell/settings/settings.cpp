// Platform-free rules of the settings file.
#include "settings.h"

#include "number_text.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace tessarine::shell {

namespace {

// The value's ASCII text for the option readers; nothing for any other
// character, which no value of theirs holds.
std::optional<std::string> ascii(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) {
    if (c >= 0x80) return std::nullopt;
    narrow.push_back(static_cast<char>(c));
  }
  return narrow;
}

template <typename Value>
Value read_value(const std::wstring& text, std::optional<Value> (*reader)(std::string_view), Value standard) {
  const std::optional<std::string> narrow = ascii(text);
  if (!narrow) return standard;
  return reader(*narrow).value_or(standard);
}

// 1 or 0: a whole number, clamped to them.
std::optional<bool> read_switch(std::string_view text) {
  const std::optional<double> number = read_number(std::wstring(text.begin(), text.end()));
  if (!number || *number != std::floor(*number)) return std::nullopt;
  return *number >= 1;
}

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring integer_text(long long value) {
  if (value < 0) return L"-" + std::to_wstring(-(value + 1) + 1ULL);
  return L" " + std::to_wstring(value);
}


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

namespace {

// Whether the settings file gives the text back as written.
bool reads_back(const std::wstring& text, const CodePage& code_page) {
  const std::string bytes = code_page.to_bytes(text);
  return bytes.size() <= kValueBytes && code_page.to_text(bytes) == text;
}

}  // namespace

std::optional<std::wstring> storable_path(const std::wstring& path, const CodePage& code_page,
                                          const std::function<std::wstring(const std::wstring&)>& short_form) {
  if (reads_back(path, code_page)) return path;
  const std::wstring short_path = short_form(path);
  if (!short_path.empty() && reads_back(short_path, code_page)) return short_path;
  return std::nullopt;
}

std::wstring shown_path(const std::wstring& stored, const CodePage& code_page,
                        const std::function<std::wstring(const std::wstring&)>& long_form) {
  const std::wstring long_path = stored.empty() ? std::wstring() : long_form(stored);
  return long_path.empty() || reads_back(long_path, code_page) ? stored : long_path;
}

void load_settings(SettingsRecord& record, const std::function<std::wstring(const std::wstring&)>& read,
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
  record.BgmFolder = record.BgmFile.empty() ? program_folder : FolderOf(record.BgmFile);
  record.picture = read_picture(read);
}

renderer::PictureOptions read_picture(const std::function<std::wstring(const std::wstring&)>& read) {
  const renderer::PictureOptions standard;
  renderer::PictureOptions picture;
  picture.speed = read_value(read(kKeySpeed), renderer::read_speed, standard.speed);
  picture.density = read_value(read(kKeyDensity), renderer::read_density, standard.density);
  picture.colour = read_value(read(kKeyColour), renderer::read_colour, standard.colour);
  picture.max_fps = read_value(read(kKeyFrameRateLimit), renderer::read_frame_rate_limit, standard.max_fps);
  picture.show_fps = read_value(read(kKeyShowFrameRate), read_switch, standard.show_fps);
  picture.end_on_input = read_value(read(kKeyEndOnAnyInput), read_switch, standard.end_on_input);
  return picture;
}

std::vector<KeyValue> picture_values(const renderer::PictureOptions& picture) {
  return {
      {kKeySpeed, wide(renderer::speed_text(picture.speed))},
      {kKeyDensity, std::to_wstring(picture.density)},
      {kKeyColour, wide(renderer::colour_text(picture.colour))},
      {kKeyFrameRateLimit, std::to_wstring(picture.max_fps)},
      {kKeyShowFrameRate, picture.show_fps ? L"1" : L"0"},
      {kKeyEndOnAnyInput, picture.end_on_input ? L"1" : L"0"},
  };
}

}  // namespace tessarine::shell
