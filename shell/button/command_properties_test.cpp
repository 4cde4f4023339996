// The stored properties: order, omitted defaults, the caption quirk and
// values that cannot be converted.
#include "command_properties.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessarine::button {
namespace {

const FontSpec kAmbient{L"MS UI Gothic", 9.0, 400, false, false, false, 128};

std::vector<std::string> keys_of(const PropertyStore& store) {
  std::vector<std::string> keys;
  for (const auto& entry : store.entries()) keys.push_back(entry.first);
  return keys;
}

// The six stored values: two in the state, four in the properties.
struct Stored {
  CommandState state;
  CommandProperties properties;
};

Stored all_changed() {
  Stored s;
  s.state.Enabled = false;
  s.properties.Caption = L"\uFF7A\uFF8F\uFF9D\uFF84\uFF9E";  // half-width katakana
  s.state.FirstRun = 0;
  s.properties.Font = FontSpec{L"IPAGothic", 12.0, 700, true, false, false, 128};
  s.properties.FontColour = 0x0000FF;
  s.properties.BackStyle = 0;
  return s;
}

Stored read_back(const PropertyStore& store, Stored read) {
  read_properties(store, kAmbient, read.state, read.properties);
  return read;
}

// Every stored value alike, naming the first that differs.
testing::AssertionResult same_values(const Stored& read, const Stored& expected) {
  if (read.state.Enabled != expected.state.Enabled) return testing::AssertionFailure() << "Enabled";
  if (read.properties.Caption != expected.properties.Caption) return testing::AssertionFailure() << "Caption";
  if (read.state.FirstRun != expected.state.FirstRun) return testing::AssertionFailure() << "FirstRun";
  if (!(read.properties.Font == expected.properties.Font)) return testing::AssertionFailure() << "Font";
  if (read.properties.FontColour != expected.properties.FontColour) return testing::AssertionFailure() << "FontColour";
  if (read.properties.BackStyle != expected.properties.BackStyle) return testing::AssertionFailure() << "Visible";
  return testing::AssertionSuccess();
}

TEST(CommandStore, WritesTheSixKeysInOrderAndReadsThemBack) {
  PropertyStore store;
  const Stored changed = all_changed();
  write_properties(changed.state, changed.properties, kAmbient, store);
  EXPECT_EQ(keys_of(store),
            (std::vector<std::string>{"Enabled", "Caption", "FirstRun", "Font", "FontColour", "Visible"}));
  EXPECT_TRUE(same_values(read_back(store, Stored()), changed));
}

TEST(CommandStore, DefaultsAreOmittedAndTheCaptionCommandComesBackAsCommand1) {
  Stored defaults;
  defaults.properties.Font = kAmbient;
  PropertyStore store;
  write_properties(defaults.state, defaults.properties, kAmbient, store);
  EXPECT_TRUE(store.empty());
  const Stored read = read_back(store, all_changed());
  EXPECT_TRUE(read.state.Enabled);
  EXPECT_EQ(read.properties.Caption, L"Command1");
  EXPECT_EQ(read.state.FirstRun, 1);
  EXPECT_EQ(read.properties.Font, kAmbient);
  EXPECT_EQ(read.properties.FontColour, 0);
  EXPECT_EQ(read.properties.BackStyle, 1);
}

TEST(CommandStore, RewritingMovesAKeyToTheEndAndWritingTheDefaultRemovesIt) {
  PropertyStore store;
  store.write("Caption", std::wstring(L"OK"), std::wstring(L"Command"));
  store.write("Enabled", false, true);
  store.write("Caption", std::wstring(L"Cancel"), std::wstring(L"Command"));
  EXPECT_EQ(keys_of(store), (std::vector<std::string>{"Enabled", "Caption"}));
  store.write("Enabled", true, true);
  EXPECT_EQ(keys_of(store), (std::vector<std::string>{"Caption"}));
  store.set("Caption", std::wstring(L"OK"));
  EXPECT_EQ(std::get<std::wstring>(*store.find("Caption")), L"OK");
}

TEST(CommandStore, HostsMayDescribeValuesInOtherTypes) {
  PropertyStore store;
  store.set("Enabled", std::wstring(L"False"));
  store.set("Caption", std::int64_t{42});
  store.set("FirstRun", std::wstring(L" 1 "));
  store.set("FontColour", std::wstring(L"&HFF"));
  store.set("Visible", false);
  const Stored read = read_back(store, Stored());
  EXPECT_FALSE(read.state.Enabled);
  EXPECT_EQ(read.properties.Caption, L"42");
  EXPECT_EQ(read.state.FirstRun, 1);
  EXPECT_EQ(read.properties.FontColour, 0xFF);
  EXPECT_EQ(read.properties.BackStyle, 0);
}

TEST(CommandStore, AValueThatCannotBeConvertedLeavesItsPropertyAsItWas) {
  PropertyStore store;
  store.set("Enabled", std::wstring(L"maybe"));
  store.set("Caption", kAmbient);
  store.set("Font", std::wstring(L"Arial"));
  store.set("FirstRun", std::int64_t{256});
  store.set("FontColour", std::wstring(L"1e30"));
  store.set("Visible", std::int64_t{40000});
  EXPECT_TRUE(same_values(read_back(store, all_changed()), all_changed()));
}

TEST(CommandStore, NumbersRoundHalvesToEvenAndRespectTheirRange) {
  EXPECT_EQ(to_uint8(std::wstring(L"2.5")), 2);
  EXPECT_EQ(to_uint8(std::wstring(L"3.5")), 4);
  EXPECT_EQ(to_uint8(std::wstring(L"-1")), std::nullopt);
  EXPECT_EQ(to_uint8(true), std::nullopt);  // True is -1
  EXPECT_EQ(to_int16(std::wstring(L"-32768")), -32768);
  EXPECT_EQ(to_int16(std::wstring(L"32768")), std::nullopt);
  EXPECT_EQ(to_int32(std::wstring(L"&HFFFFFF")), 0xFFFFFF);
  EXPECT_EQ(to_int32(std::wstring(L"0x10")), std::nullopt);
  EXPECT_EQ(to_int32(std::wstring(L"nan")), std::nullopt);
  EXPECT_EQ(to_int32(std::wstring(L"")), std::nullopt);
  EXPECT_EQ(to_boolean(std::int64_t{2}), true);
  EXPECT_EQ(to_boolean(std::wstring(L"0")), false);
  EXPECT_EQ(to_boolean(std::wstring(L"TRUE")), true);
  EXPECT_EQ(to_text(true), L"True");
}

}  // namespace
}  // namespace tessarine::button
