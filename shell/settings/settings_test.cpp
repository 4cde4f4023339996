// Reading numbers, writing integer text, path parts and the validation of the
// settings as LoadSettings applies it.
#include "settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

namespace tessarine::shell {
namespace {

TEST(IntegerText, CarriesASignPositionAndNoLeadingZeros) {
  EXPECT_EQ(integer_text(2), L" 2");
  EXPECT_EQ(integer_text(0), L" 0");
  EXPECT_EQ(integer_text(30), L" 30");
  EXPECT_EQ(integer_text(-7), L"-7");
  EXPECT_EQ(integer_text(-32768), L"-32768");
  EXPECT_EQ(integer_text(INT64_MIN), L"-9223372036854775808");
}

// A text and the number it must read as.
struct Reading {
  const wchar_t* text;
  int16_t value;
};

TEST(ReadInt16, AcceptsAnyTextThatReadsAsANumber) {
  // " 2" as written, with its sign position.
  for (const Reading& r : {Reading{L"2", 2}, {L" 2", 2}, {L"\t 3 \t", 3}, {L"+4", 4}, {L"-5", -5}, {L"007", 7},
                           {L"1e2", 100}, {L".5", 0}, {L"6.", 6}})
    EXPECT_EQ(read_int16(r.text), r.value) << testing::PrintToString(std::wstring(r.text));
}

TEST(ReadInt16, RoundsFractionsDown) {
  for (const Reading& r : {Reading{L"1.7", 1}, {L"1.2", 1}, {L"-1.5", -2}, {L"-0.1", -1}, {L"32767.9", 32767}})
    EXPECT_EQ(read_int16(r.text), r.value) << testing::PrintToString(std::wstring(r.text));
}

TEST(ReadInt16, RefusesTextThatIsNoNumberOrDoesNotFit16Bits) {
  for (const wchar_t* text : {L"", L" ", L"abc", L"2x", L"x2", L"1 2", L"+", L"-", L".", L"1e", L"--1", L"nan",
                              L"inf", L"0x10", L"\u5168"}) {
    EXPECT_EQ(read_int16(text), std::nullopt) << "text: " << testing::PrintToString(std::wstring(text));
  }
  EXPECT_EQ(read_int16(L"32768"), std::nullopt);
  EXPECT_EQ(read_int16(L"-32769"), std::nullopt);
  EXPECT_EQ(read_int16(L"-32768.5"), std::nullopt);  // rounds down to -32769
  EXPECT_EQ(read_int16(L"1e400"), std::nullopt);
  EXPECT_EQ(read_int16(std::wstring(255, L'9')), std::nullopt);
  EXPECT_EQ(read_int16(L"-32768"), -32768);
}

TEST(FolderOf, KeepsTheFolderWithoutItsBackslash) {
  EXPECT_EQ(FolderOf(L"C:\\Music\\a.mp3"), L"C:\\Music");
  EXPECT_EQ(FolderOf(L"C:\\a.mp3"), L"C:");
  EXPECT_EQ(FolderOf(L"C:a.mp3"), L"C:");
  EXPECT_EQ(FolderOf(L"a.mp3"), L"");
  EXPECT_EQ(FolderOf(L""), L"");
  EXPECT_EQ(FolderOf(L"C:\\Music\\"), L"C:\\Music");
  EXPECT_EQ(FolderOf(L"\\\\server\\share\\x.wav"), L"\\\\server\\share");
  EXPECT_EQ(FolderOf(L"C:\\\u66F2\\\u97F3.mp3"), L"C:\\\u66F2");
}

TEST(ProfileName, KeepsAt127CharactersUpToTheFirstNul) {
  EXPECT_EQ(profile_name(kKeyKind), kKeyKind);
  EXPECT_EQ(profile_name(std::wstring(200, L'k')), std::wstring(127, L'k'));
  EXPECT_EQ(profile_name(std::wstring(L"ab\0cd", 5)), L"ab");
}

// A stand-in for code page 932: é, É and ø best-fitted to plain letters, the
// wave dash U+301C to the bytes of the full-width tilde U+FF5E.
const std::map<wchar_t, char> kNonAscii = {{L'\u00E9', 'e'},     {L'\u00C9', 'E'},     {L'\u00F8', 'o'},
                                           {L'\u66F2', '\x90'}, {L'\u301C', '\x91'}, {L'\uFF5E', '\x91'}};
const CodePage kCodePage = {
    [](const std::wstring& text) {
      std::string bytes;
      for (wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : kNonAscii.count(c) ? kNonAscii.at(c) : '?';
      return bytes;
    },
    [](const std::string& bytes) {
      std::wstring text;
      for (char b : bytes) text += b == '\x90' ? L'\u66F2' : b == '\x91' ? L'\uFF5E' : static_cast<wchar_t>(b);
      return text;
    }};

// A short or long form that is `form` for any path.
std::function<std::wstring(const std::wstring&)> gives(const std::wstring& form) {
  return [form](const std::wstring&) { return form; };
}

TEST(StorablePath, KeepsWhatTheCodePageSpellsAndTakesTheShortFormOfAnyOtherPath) {
  const std::wstring short_form = L"C:\\BJRK~1\\CAFE~1.MP3";
  for (const std::wstring path : {L"C:\\\u66F2\\a \uFF5E b.mp3", L"C:\\PROGRA~1\\a.mp3", L""})
    EXPECT_EQ(storable_path(path, kCodePage, gives(short_form)), path) << "the bytes of today";
  const std::wstring dash = L"C:\\\u66F2\\a \u301C b.mp3";
  for (const std::wstring& path : {std::wstring(L"C:\\Bj\u00F8rk\\Caf\u00E9.mp3"), dash})
    EXPECT_EQ(storable_path(path, kCodePage, gives(short_form)), short_form);
  // No short name (a volume without them gives the long path back), or one
  // that is not spelled either: nothing that could play.
  for (const std::wstring& no_short : {std::wstring(), dash, std::wstring(L"C:\\\uD55C~1.MP3")})
    EXPECT_EQ(storable_path(dash, kCodePage, gives(no_short)), std::nullopt);
  // Longer than a value that reads back: the short form, or nothing.
  const std::wstring fits = std::wstring(kValueBytes - 4, L'a') + L".mp3", over = L"a" + fits;
  EXPECT_EQ(storable_path(fits, kCodePage, gives(short_form)), fits);
  EXPECT_EQ(storable_path(over, kCodePage, gives(short_form)), short_form);
  EXPECT_EQ(storable_path(over, kCodePage, gives(L"a" + over)), std::nullopt);
}

TEST(ShownPath, IsTheLongNameWhereTheShortFormStandsForIt) {
  const std::wstring dash = L"C:\\\u66F2\\a \u301C b.mp3";
  EXPECT_EQ(shown_path(L"C:\\X~1\\A~1.MP3", kCodePage, gives(dash)), dash);
  // A long name that the code page spells: the path was stored as typed.
  EXPECT_EQ(shown_path(L"C:\\PROGRA~1\\a.mp3", kCodePage, gives(L"C:\\Program Files\\a.mp3")), L"C:\\PROGRA~1\\a.mp3");
  EXPECT_EQ(shown_path(L"C:\\gone.mp3", kCodePage, gives(L"")), L"C:\\gone.mp3");
  const std::wstring too_long = L"C:\\" + std::wstring(kValueBytes, L'a');
  EXPECT_EQ(shown_path(L"C:\\A~1", kCodePage, gives(too_long)), too_long);
}

// LoadSettings' steps over a settings file given as its three values.
class LoadSettingsTest : public testing::Test {
 protected:
  SettingsRecord load(std::map<std::wstring, std::wstring> values, SettingsRecord record = {}) {
    load_settings(
        record,
        [&](const std::wstring& key) {
          auto found = values.find(key);
          return found == values.end() ? std::wstring() : found->second;
        },
        L"C:\\Saver");
    return record;
  }
};

// Kind, repeat, file and folder, compared at once: a failure shows all four.
using Fields = std::tuple<int16_t, int16_t, std::wstring, std::wstring>;
Fields fields(const SettingsRecord& r) { return {r.BgmKind, r.BgmRepeat, r.BgmFile, r.BgmFolder}; }

TEST_F(LoadSettingsTest, AMissingFileGivesNothingAndTheProgramFolder) {
  EXPECT_EQ(fields(load({})), Fields(0, 0, L"", L"C:\\Saver"));
}

TEST_F(LoadSettingsTest, AValidFileFillsTheRecordAndThePickerFolder) {
  EXPECT_EQ(fields(load({{kKeyKind, L" 2"}, {kKeyRepeat, L" 3"}, {kKeyFile, L"C:\\Music\\a.mp3"}})),
            Fields(2, 3, L"C:\\Music\\a.mp3", L"C:\\Music"));
}

TEST_F(LoadSettingsTest, NumbersThatDoNotReadKeepTheOldValue) {
  SettingsRecord before;
  before.BgmKind = 1;
  before.BgmRepeat = 4;
  EXPECT_EQ(fields(load({{kKeyKind, L"abc"}, {kKeyRepeat, L"70000"}}, before)), Fields(1, 4, L"", L"C:\\Saver"));
  EXPECT_EQ(load({{kKeyKind, L"abc"}}).BgmKind, 0);  // 0 at program start
  // Empty values give 0 whatever came before.
  EXPECT_EQ(fields(load({{kKeyKind, L""}, {kKeyRepeat, L""}}, before)), Fields(0, 0, L"", L"C:\\Saver"));
}

TEST_F(LoadSettingsTest, FractionsAndValuesOutsideTheChoicesAreKeptAsRead) {
  EXPECT_EQ(fields(load({{kKeyKind, L"1.7"}, {kKeyRepeat, L"99"}})), Fields(1, 99, L"", L"C:\\Saver"));
  EXPECT_EQ(load({{kKeyKind, L"5"}}).BgmKind, 5);
  EXPECT_EQ(load({{kKeyKind, L"-3"}}).BgmKind, -3);
}

// Whether the file opens is the saver run's question: a drive away loses no choice.
TEST_F(LoadSettingsTest, KeepsTheMusicChoiceAsStored) {
  EXPECT_EQ(fields(load({{kKeyKind, L"2"}, {kKeyFile, L"E:\\a.mp3"}})), Fields(2, 0, L"E:\\a.mp3", L"E:"));
  EXPECT_EQ(fields(load({{kKeyKind, L"2"}, {kKeyFile, L""}})), Fields(2, 0, L"", L"C:\\Saver"));
  // A CD kind keeps a path too, for the dialog to show.
  EXPECT_EQ(fields(load({{kKeyKind, L"1"}, {kKeyFile, L"E:\\a.mp3"}})), Fields(1, 0, L"E:\\a.mp3", L"E:"));
}

// The picture's six keys over their standard values: what a settings file
// of today (without them) and a damaged one give.
TEST_F(LoadSettingsTest, APictureValueThatIsMissingEmptyOrUnreadableGivesTheStandardPicture) {
  SettingsRecord before;
  before.picture = {2.0, 3, 0x123456, 30, false, true};
  EXPECT_EQ(load({}, before).picture, renderer::PictureOptions()) << "a file of today";
  const std::map<std::wstring, std::wstring> unreadable = {
      {kKeySpeed, L"fast"},          {kKeyDensity, L"2.5"},          {kKeyColour, L"FF80"},
      {kKeyFrameRateLimit, L"\uFF13\uFF10"},  // full-width digits
      {kKeyShowFrameRate, L"yes"},   {kKeyEndOnAnyInput, L""}};
  EXPECT_EQ(load(unreadable, before).picture, renderer::PictureOptions());
}

TEST_F(LoadSettingsTest, PictureValuesAreReadAndNumbersOutOfRangeClamped) {
  const renderer::PictureOptions read =
      load({{kKeySpeed, L"1.5"}, {kKeyDensity, L" 3"}, {kKeyColour, L"ff8000"}, {kKeyFrameRateLimit, L"45"},
            {kKeyShowFrameRate, L"0"}, {kKeyEndOnAnyInput, L"1"}})
          .picture;
  EXPECT_EQ(read, (renderer::PictureOptions{1.5, 3, 0xFF8000, 45, false, true}));
  const renderer::PictureOptions clamped =
      load({{kKeySpeed, L"9"}, {kKeyDensity, L"0"}, {kKeyFrameRateLimit, L"5000"}, {kKeyShowFrameRate, L"-2"},
            {kKeyEndOnAnyInput, L"7"}})
          .picture;
  EXPECT_EQ(clamped, (renderer::PictureOptions{4.0, 1, 0x00FF00, 1000, false, true}));
}

}  // namespace
}  // namespace tessarine::shell
