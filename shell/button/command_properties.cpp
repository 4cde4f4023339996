// The `Command` button's property store and the conversions of stored values.
#include "command_properties.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <limits>

#include "number_text.h"

namespace tessarine::button {
namespace {

std::wstring trimmed(const std::wstring& text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  auto first = std::find_if_not(text.begin(), text.end(), blank);
  auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::wstring(first, last) : std::wstring();
}

bool same_word(const std::wstring& text, const wchar_t* word) {
  std::wstring lower;
  for (wchar_t c : text) lower += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return lower == word;
}

// A text that reads as a number: decimal (sign, fraction, exponent) or &H hex.
// Apart on purpose from the settings file's numbers (shell::read_number): &H, no full-width blank.
std::optional<double> number_in_text(const std::wstring& raw) {
  const std::wstring text = trimmed(raw);
  if (text.empty()) return std::nullopt;
  if (text.size() > 2 && text[0] == L'&' && (text[1] == L'H' || text[1] == L'h')) {
    const std::wstring digits = text.substr(2);
    if (digits.size() > 8 || !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return std::iswxdigit(c); }))
      return std::nullopt;
    return static_cast<double>(std::wcstoul(digits.c_str(), nullptr, 16));
  }
  // Hex, infinity and not-a-number spellings of wcstod are no numbers here.
  if (!std::all_of(text.begin(), text.end(), [](wchar_t c) {
        return std::iswdigit(c) || c == L'+' || c == L'-' || c == L'.' || c == L'e' || c == L'E';
      }))
    return std::nullopt;
  wchar_t* end = nullptr;
  const double value = std::wcstod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> number_of(const StoredValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) return *flag ? -1.0 : 0.0;
  if (const std::int64_t* integer = std::get_if<std::int64_t>(&value)) return static_cast<double>(*integer);
  if (const std::wstring* text = std::get_if<std::wstring>(&value)) {
    if (same_word(*text, L"true")) return -1.0;
    if (same_word(*text, L"false")) return 0.0;
    return number_in_text(*text);
  }
  return std::nullopt;
}

template <typename Integer>
std::optional<Integer> integer_of(const StoredValue& value) {
  if (const std::int64_t* integer = std::get_if<std::int64_t>(&value)) {
    if (*integer < std::numeric_limits<Integer>::min() || *integer > std::numeric_limits<Integer>::max())
      return std::nullopt;
    return static_cast<Integer>(*integer);
  }
  const std::optional<double> number = number_of(value);
  if (!number) return std::nullopt;
  return shell::nearest<Integer>(*number);
}

template <typename Value, typename Convert>
void apply(const PropertyStore& store, const char* key, const StoredValue& default_value, Convert convert,
           Value& target) {
  if (auto converted = convert(store.read(key, default_value))) target = *converted;
}

}  // namespace

void PropertyStore::set(const std::string& key, StoredValue value) {
  for (auto& entry : entries_) {
    if (entry.first == key) {
      entry.second = std::move(value);
      return;
    }
  }
  entries_.emplace_back(key, std::move(value));
}

void PropertyStore::write(const std::string& key, StoredValue value, const StoredValue& default_value) {
  remove(key);
  if (value != default_value) entries_.emplace_back(key, std::move(value));
}

const StoredValue* PropertyStore::find(const std::string& key) const {
  for (const auto& entry : entries_)
    if (entry.first == key) return &entry.second;
  return nullptr;
}

StoredValue PropertyStore::read(const std::string& key, const StoredValue& default_value) const {
  const StoredValue* value = find(key);
  return value ? *value : default_value;
}

void PropertyStore::remove(const std::string& key) {
  std::erase_if(entries_, [&](const auto& entry) { return entry.first == key; });
}

std::optional<bool> to_boolean(const StoredValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) return *flag;
  const std::optional<double> number = number_of(value);
  if (!number) return std::nullopt;
  return *number != 0.0;
}

std::optional<std::uint8_t> to_uint8(const StoredValue& value) { return integer_of<std::uint8_t>(value); }
std::optional<std::int16_t> to_int16(const StoredValue& value) { return integer_of<std::int16_t>(value); }
std::optional<std::int32_t> to_int32(const StoredValue& value) { return integer_of<std::int32_t>(value); }

std::optional<std::wstring> to_text(const StoredValue& value) {
  if (const std::wstring* text = std::get_if<std::wstring>(&value)) return *text;
  if (const bool* flag = std::get_if<bool>(&value)) return std::wstring(*flag ? L"True" : L"False");
  if (const std::int64_t* integer = std::get_if<std::int64_t>(&value)) return std::to_wstring(*integer);
  return std::nullopt;
}

std::optional<FontSpec> to_font(const StoredValue& value) {
  if (const FontSpec* font = std::get_if<FontSpec>(&value)) return *font;
  return std::nullopt;
}

void write_properties(const CommandState& state, const CommandProperties& properties, const FontSpec& ambient,
                      PropertyStore& store) {
  store.write(kKeyEnabled, state.Enabled, true);
  store.write(kKeyCaption, properties.Caption, std::wstring(L"Command"));
  store.write(kKeyFirstRun, std::int64_t{state.FirstRun}, std::int64_t{1});
  store.write(kKeyFont, properties.Font, ambient);
  store.write(kKeyFontColour, std::int64_t{properties.FontColour}, std::int64_t{0});
  store.write(kKeyVisible, std::int64_t{properties.BackStyle}, std::int64_t{1});
}

void read_properties(const PropertyStore& store, const FontSpec& ambient, CommandState& state,
                     CommandProperties& properties) {
  apply(store, kKeyEnabled, true, to_boolean, state.Enabled);
  apply(store, kKeyCaption, std::wstring(L"Command1"), to_text, properties.Caption);
  apply(store, kKeyFont, ambient, to_font, properties.Font);
  apply(store, kKeyFirstRun, std::wstring(L"1"), to_uint8, state.FirstRun);
  apply(store, kKeyFontColour, std::wstring(L"0"), to_int32, properties.FontColour);
  apply(store, kKeyVisible, std::wstring(L"1"), to_int16, properties.BackStyle);
}

}  // namespace tessarine::button
