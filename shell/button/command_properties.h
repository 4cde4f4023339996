// The stored properties of the `Command` button: the ordered record through
// which hosts describe their buttons and keep them, and the conversions of
// stored values to each key's type. Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "command_state.h"

namespace tessarine::button {

// Stored keys, in the order the control writes them.
inline constexpr const char* kKeyEnabled = "Enabled";
inline constexpr const char* kKeyCaption = "Caption";
inline constexpr const char* kKeyFirstRun = "FirstRun";
inline constexpr const char* kKeyFont = "Font";
inline constexpr const char* kKeyFontColour = "FontColour";
inline constexpr const char* kKeyVisible = "Visible";

// A font as the caption label uses it. `points` is the size in points; a
// negative `charset` is never produced.
struct FontSpec {
  std::wstring face;
  double points = 9.0;
  int weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 1;  // DEFAULT_CHARSET; 128 is Shift-JIS
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// One stored value. Hosts may store any alternative under any key; reading
// converts it to the key's type (booleans, integers and texts convert among
// one another as numbers and "True"/"False"; a font converts to nothing else).
using StoredValue = std::variant<bool, std::int64_t, std::wstring, FontSpec>;

// An ordered key/value record: the host's saved description of one button.
class PropertyStore {
 public:
  // Puts a value under a key as the host describes its button (replacing an
  // earlier value of the key in place).
  void set(const std::string& key, StoredValue value);
  // The control's write: omits the value when it equals `default_value`
  // (removing an earlier entry of the key), else stores it after every other
  // key, so that entries() shows the order of the last writes.
  void write(const std::string& key, StoredValue value, const StoredValue& default_value);
  // The stored value, or nothing when the key is absent.
  const StoredValue* find(const std::string& key) const;
  // The stored value, or `default_value` when the key is absent.
  StoredValue read(const std::string& key, const StoredValue& default_value) const;
  void remove(const std::string& key);
  const std::vector<std::pair<std::string, StoredValue>>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }

 private:
  std::vector<std::pair<std::string, StoredValue>> entries_;
};

// Conversions of a stored value to a key's type; nothing when it cannot be
// converted (a font, a text that is no number, a number out of range).
// Numbers with a fraction round to the nearest integer, halves to even.
std::optional<bool> to_boolean(const StoredValue& value);
std::optional<std::uint8_t> to_uint8(const StoredValue& value);
std::optional<std::int16_t> to_int16(const StoredValue& value);
std::optional<std::int32_t> to_int32(const StoredValue& value);
std::optional<std::wstring> to_text(const StoredValue& value);
std::optional<FontSpec> to_font(const StoredValue& value);

// The control's own stored values besides Enabled and FirstRun, which the
// state keeps (CommandState).
struct CommandProperties {
  std::wstring Caption = L"Command";  // the caption label's text
  FontSpec Font;                      // the caption label's font
  std::int32_t FontColour = 0;        // the caption label's colour, 0x00BBGGRR
  std::int16_t BackStyle = 1;         // 1 opaque, 0 transparent (the Visible property)
};

// Writes the six keys in the control's order, omitting values equal to their
// write defaults ("Command" for the caption, the ambient font for the font).
void write_properties(const CommandState& state, const CommandProperties& properties, const FontSpec& ambient,
                      PropertyStore& store);

// Reads the six keys in the control's order with their read defaults
// ("Command1" for the caption); a value that cannot be converted leaves its
// property as it was.
void read_properties(const PropertyStore& store, const FontSpec& ambient, CommandState& state,
                     CommandProperties& properties);

}  // namespace tessarine::button
