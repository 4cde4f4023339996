// The settings dialog's decisions: enabling, repeat texts and OK's writes.
#include "dialog_state.h"

#include <gtest/gtest.h>

namespace tessarine::shell::dialog {
namespace {

TEST(Enabling, FollowsTheKind) {
  struct Case {
    int16_t kind;
    bool repeat;
    bool file;
    std::optional<int> marked;
  };
  for (const Case& c : {Case{0, false, false, 0}, Case{1, true, false, 1}, Case{2, false, true, 2},
                        Case{5, false, false, std::nullopt}, Case{-1, false, false, std::nullopt}}) {
    SCOPED_TRACE(c.kind);
    const Enabling e = enabling_for(c.kind);
    EXPECT_EQ(e.repeat, c.repeat);
    EXPECT_EQ(e.file, c.file);
    EXPECT_EQ(e.marked_kind, c.marked);
  }
}

TEST(RepeatText, ShowsNothingForZeroAndPlainDigitsOtherwise) {
  EXPECT_EQ(repeat_text(0), L"");
  EXPECT_EQ(repeat_text(7), L"7");
  EXPECT_EQ(repeat_text(30), L"30");
  EXPECT_EQ(repeat_text(-3), L"-3");
  EXPECT_EQ(repeat_text(99), L"99");

  const std::vector<std::wstring> list = repeat_list();
  ASSERT_EQ(list.size(), 31u);
  EXPECT_EQ(list.front(), L"");
  EXPECT_EQ(list[1], L"1");
  EXPECT_EQ(list.back(), L"30");
}

TEST(RepeatValue, RoundsHalvesToTheEvenNeighbour) {
  struct Case {
    const wchar_t* text;
    int16_t value;
  };
  for (const Case& c : {Case{L"2.5", 2}, {L"3.5", 4}, {L"0.5", 0}, {L"-2.5", -2}, {L"2.51", 3}, {L"45", 45},
                        {L" 7 ", 7}, {L"+12", 12}, {L"1e1", 10}, {L".5e1", 5}, {L"32767.4", 32767}})
    EXPECT_EQ(repeat_value(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}

TEST(RepeatValue, GivesZeroForTextThatIsNoNumberOrDoesNotFit) {
  for (const wchar_t* text :
       {L"", L"   ", L"abc", L"12abc", L"1 2", L".", L"-", L"1e", L"0x10", L"1,000", L"40000", L"-32768.6", L"1e999"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    EXPECT_EQ(repeat_number(text), std::nullopt);
    EXPECT_EQ(repeat_value(text), 0);
  }
  EXPECT_EQ(repeat_number(L"-32768.5"), -32768);
}

SettingsRecord loaded(int16_t kind, int16_t repeat, std::wstring file) {
  SettingsRecord record;
  record.BgmKind = kind;
  record.BgmRepeat = repeat;
  record.BgmFile = std::move(file);
  record.BgmFolder = L"C:\\Saver";
  return record;
}

TEST(DialogState, SelectingAKindKeepsTheFileAndMovesTheEnabling) {
  SettingsRecord record = loaded(2, 3, L"C:\\Music\\a.mp3");
  DialogState state(record);
  state.select_kind(1);
  EXPECT_EQ(record.BgmKind, 1);
  EXPECT_EQ(record.BgmFile, L"C:\\Music\\a.mp3");
  EXPECT_EQ(record.BgmRepeat, 3);
  EXPECT_TRUE(state.enabling().repeat);
  EXPECT_FALSE(state.enabling().file);

  state.select_kind(7);  // no such mark
  EXPECT_EQ(record.BgmKind, 1);
}

TEST(DialogState, AChosenFileMovesThePickerFolder) {
  SettingsRecord record = loaded(2, 0, L"");
  DialogState state(record);
  state.choose_file(L"D:\\Songs\\Live\\b.wav");
  EXPECT_EQ(record.BgmFile, L"D:\\Songs\\Live\\b.wav");
  EXPECT_EQ(record.BgmFolder, L"D:\\Songs\\Live");
  EXPECT_EQ(record.BgmKind, 2);
}

TEST(DialogState, AcceptWritesKindRepeatAndFileInThatOrderThenThePicture) {
  SettingsRecord record = loaded(2, 0, L"");
  DialogState state(record);
  state.choose_file(L"C:\\Music\\a.mp3");
  state.select_kind(1);
  record.picture.max_fps = 30;
  const std::vector<Write> writes = state.accept(L"3.5");
  ASSERT_EQ(writes.size(), 9u);
  EXPECT_EQ(writes[0].key, kKeyKind);
  EXPECT_EQ(writes[0].value, L" 1");
  EXPECT_EQ(writes[1].key, kKeyRepeat);
  EXPECT_EQ(writes[1].value, L" 4");
  EXPECT_EQ(writes[2].key, kKeyFile);
  EXPECT_EQ(writes[2].value, L"C:\\Music\\a.mp3");
  EXPECT_EQ(record.BgmRepeat, 4);
  // Then the picture's six keys, plain values.
  std::vector<std::wstring> picture;
  for (size_t i = 3; i < writes.size(); ++i) picture.push_back(writes[i].key + L"=" + writes[i].value);
  EXPECT_EQ(picture, (std::vector<std::wstring>{L"Speed=1", L"Density=2", L"Colour=00FF00", L"FrameRateLimit=30",
                                                L"ShowFrameRate=1", L"EndOnAnyInput=0"}));
}

TEST(DialogState, AcceptWritesAnUnchosenOutOfRangeKindBackAndAnEmptyRepeatAsZero) {
  SettingsRecord record = loaded(5, 9, L"");
  DialogState state(record);
  const std::vector<Write> writes = state.accept(L"");
  EXPECT_EQ(writes[0].value, L" 5");
  EXPECT_EQ(writes[1].value, L" 0");
  EXPECT_EQ(writes[2].value, L"");
  EXPECT_EQ(record.BgmRepeat, 0);

  EXPECT_EQ(state.accept(L"-4")[1].value, L"-4");
  EXPECT_EQ(state.accept(L"letters")[1].value, L" 0");
}

}  // namespace
}  // namespace tessarine::shell::dialog
