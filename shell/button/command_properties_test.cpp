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

CommandProperties all_changed() {
  CommandProperties p;
  p.Enabled = false;
  p.Caption = L"\uFF7A\uFF8F\uFF9D\uFF84\uFF9E";  // half-width katakana
  p.FirstRun = 0;
  p.Font = FontSpec{L"IPAGothic", 12.0, 700, true, false, false, 128};
  p.FontColour = 0x0000FF;
  p.BackStyle = 0;
  return p;
}

TEST(CommandStore, WritesTheSixKeysInOrderAndReadsThemBack) {
  PropertyStore store;
  write_properties(all_changed(), kAmbient, store);
  EXPECT_EQ(keys_of(store),
            (std::vector<std::string>{"Enabled", "Caption", "FirstRun", "Font", "FontColour", "Visible"}));
  CommandProperties read;
  read_properties(store, kAmbient, read);
  const CommandProperties expected = all_changed();
  EXPECT_EQ(read.Enabled, expected.Enabled);
  EXPECT_EQ(read.Caption, expected.Caption);
  EXPECT_EQ(read.FirstRun, expected.FirstRun);
  EXPECT_EQ(read.Font, expected.Font);
  EXPECT_EQ(read.FontColour, expected.FontColour);
  EXPECT_EQ(read.BackStyle, expected.BackStyle);
}

TEST(CommandStore, DefaultsAreOmittedAndTheCaptionCommandComesBackAsCommand1) {
  CommandProperties defaults;
  defaults.Font = kAmbient;
  PropertyStore store;
  write_properties(defaults, kAmbient, store);
  EXPECT_TRUE(store.empty());
  CommandProperties read = all_changed();
  read_properties(store, kAmbient, read);
  EXPECT_TRUE(read.Enabled);
  EXPECT_EQ(read.Caption, L"Command1");
  EXPECT_EQ(read.FirstRun, 1);
  EXPECT_EQ(read.Font, kAmbient);
  EXPECT_EQ(read.FontColour, 0);
  EXPECT_EQ(read.BackStyle, 1);
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
  CommandProperties read;
  read_properties(store, kAmbient, read);
  EXPECT_FALSE(read.Enabled);
  EXPECT_EQ(read.Caption, L"42");
  EXPECT_EQ(read.FirstRun, 1);
  EXPECT_EQ(read.FontColour, 0xFF);
  EXPECT_EQ(read.BackStyle, 0);
}

TEST(CommandStore, AValueThatCannotBeConvertedLeavesItsPropertyAsItWas) {
  PropertyStore store;
  store.set("Enabled", std::wstring(L"maybe"));
  store.set("Caption", kAmbient);
  store.set("Font", std::wstring(L"Arial"));
  store.set("FirstRun", std::int64_t{256});
  store.set("FontColour", std::wstring(L"1e30"));
  store.set("Visible", std::int64_t{40000});
  const CommandProperties before = all_changed();
  CommandProperties read = before;
  read_properties(store, kAmbient, read);
  EXPECT_EQ(read.Enabled, before.Enabled);
  EXPECT_EQ(read.Caption, before.Caption);
  EXPECT_EQ(read.Font, before.Font);
  EXPECT_EQ(read.FirstRun, before.FirstRun);
  EXPECT_EQ(read.FontColour, before.FontColour);
  EXPECT_EQ(read.BackStyle, before.BackStyle);
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
