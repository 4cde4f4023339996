// The settings file through the shell's own profile helpers, in this
// process: the Shift-JIS keys, the integer text, long values, FileExists and
// LoadSettings against real files, the picture's keys among them.
#include <gtest/gtest.h>

#include "settings.h"
#include "shell_module.h"
#include "win32_program.h"
#include "win32_settings_file.h"
#include "win32_test_support.h"

namespace tessarine::test {
namespace {

using shell::kKeyFile;
using shell::kKeyKind;
using shell::kKeyRepeat;
using shell::kSection;

std::string bytes_of(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

const std::string kKindBytes = bytes_of({0x42, 0x47, 0x4D, 0x8B, 0xE6, 0x95, 0xAA});
const std::string kRepeatBytes = bytes_of({0x42, 0x47, 0x4D, 0xD8, 0xCB, 0xDF, 0xB0, 0xC4});
const std::string kFileBytes = bytes_of({0x42, 0x47, 0x4D, 0xCC, 0xA7, 0xB2, 0xD9});

// Windows keeps the blank of the sign position; Wine drops it when it writes.
::testing::AssertionResult holds_line(const std::string& file, const std::string& key, const std::string& value) {
  if (file.find(key + "=" + value + "\r\n") != std::string::npos) return ::testing::AssertionSuccess();
  std::string trimmed = value;
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(0, 1);
  if (file.find(key + "=" + trimmed + "\r\n") != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no line for value \"" << value << "\" in:\n" << file;
}

TEST(WriteIni, HandsThePlatformShiftJisKeysInFixedBuffersAndTheValueUnchanged) {
  ASSERT_EQ(GetACP(), 932u);
  const shell::ProfileWrite write = shell::profile_write_arguments(kSection, kKeyKind, shell::integer_text(2), L"C:\\x.ini");
  ASSERT_EQ(write.key.size(), 128u);
  EXPECT_EQ(std::string(write.key.data(), 8), kKindBytes + std::string(1, '\0'));
  EXPECT_EQ(std::string(write.key.data() + 8, 120), std::string(120, ' '));
  EXPECT_EQ(std::string(write.section.data()), "Section");
  EXPECT_EQ(write.value, " 2");
  EXPECT_EQ(write.file, "C:\\x.ini");
  EXPECT_EQ(std::string(shell::profile_write_arguments(kSection, kKeyRepeat, L"", L"f").key.data()), kRepeatBytes);
  EXPECT_EQ(std::string(shell::profile_write_arguments(kSection, kKeyFile, L"", L"f").key.data()), kFileBytes);
  // At most 127 characters of a key count.
  EXPECT_EQ(std::string(shell::profile_write_arguments(kSection, std::wstring(300, L'k'), L"", L"f").key.data()),
            std::string(127, 'k'));
}

TEST(WriteIni, WritesTheThreeKeysInOrderUnderOneSectionAndReadsThemBack) {
  TempFolder folder;
  const std::wstring ini = folder.file(L"Tessarine.ini");
  shell::WriteIni(kSection, kKeyKind, shell::integer_text(1), ini);
  shell::WriteIni(kSection, kKeyRepeat, shell::integer_text(3), ini);
  shell::WriteIni(kSection, kKeyFile, L"", ini);
  const std::string file = read_file_bytes(ini);
  EXPECT_EQ(file.find("[Section]\r\n"), 0u) << file;
  EXPECT_TRUE(holds_line(file, kKindBytes, " 1"));
  EXPECT_TRUE(holds_line(file, kRepeatBytes, " 3"));
  EXPECT_TRUE(holds_line(file, kFileBytes, ""));
  EXPECT_LT(file.find(kKindBytes), file.find(kRepeatBytes));
  EXPECT_LT(file.find(kRepeatBytes), file.find(kFileBytes));
  EXPECT_EQ(shell::read_int16(shell::ReadIni(kSection, kKeyKind, ini)), 1);
  EXPECT_EQ(shell::read_int16(shell::ReadIni(kSection, kKeyRepeat, ini)), 3);
  EXPECT_EQ(shell::ReadIni(kSection, kKeyFile, ini), L"");
  // A Japanese path goes through unchanged.
  const std::wstring path = L"C:\\\u97F3\u697D\\\uFF8C\uFF67\uFF72\uFF99.mp3";
  shell::WriteIni(kSection, kKeyFile, path, ini);
  EXPECT_EQ(shell::ReadIni(kSection, kKeyFile, ini), path);
  EXPECT_TRUE(holds_line(read_file_bytes(ini), kFileBytes, to_ansi(path)));
}

// Folders whose names code page 932 cannot spell: the ANSI functions would
// be handed "cafe" for "café" (another folder, perhaps an existing one) and
// "??" for Korean letters.
const std::wstring kUnspellable[] = {L"caf\u00E9", L"\uD55C\uAE00"};

// The program folder of an install as a user may name it.
std::wstring make_folder(const TempFolder& root, const std::wstring& name) {
  const std::wstring folder = root.file(name);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

TEST(WriteIni, AFolderTheCodePageCannotSpellHoldsTheSameBytesAsAnyOther) {
  TempFolder root;
  const std::wstring lossy = make_folder(root, L"cafe");
  const std::wstring song = L"C:\\\u97F3\u697D\\\uFF8C\uFF67\uFF72\uFF99.mp3";
  auto save_and_read = [&](const std::wstring& name) {
    const std::wstring ini = make_folder(root, name) + L"\\Tessarine.ini";
    shell::WriteIni(kSection, kKeyKind, shell::integer_text(2), ini);
    shell::WriteIni(kSection, kKeyRepeat, shell::integer_text(3), ini);
    shell::WriteIni(kSection, kKeyFile, song, ini);
    shell::WriteIni(kSection, kKeyKind, shell::integer_text(1), ini);  // a line rewritten in place
    EXPECT_EQ(shell::read_int16(shell::ReadIni(kSection, kKeyKind, ini)), 1);
    EXPECT_EQ(shell::read_int16(shell::ReadIni(kSection, kKeyRepeat, ini)), 3);
    EXPECT_EQ(shell::ReadIni(kSection, kKeyFile, ini), song);
    return read_file_bytes(ini);
  };
  const std::string plain = save_and_read(L"plain");
  ASSERT_TRUE(holds_line(plain, kKindBytes, " 1"));
  for (const std::wstring& name : kUnspellable) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(save_and_read(name) == plain) << "the file differs from the one in a plain folder";
  }
  EXPECT_FALSE(shell::FileExists(lossy + L"\\Tessarine.ini")) << "the settings went to another folder";
}

TEST(ReadIni, GivesAtMost255BytesAndEmptyTextForWhatIsMissing) {
  TempFolder root;
  std::wstring value;
  for (int i = 0; i < 300; ++i) value.push_back(static_cast<wchar_t>(L'a' + i % 26));
  for (const std::wstring& name : {std::wstring(L"plain"), kUnspellable[0]}) {
    SCOPED_TRACE(name);
    const std::wstring folder = make_folder(root, name);
    const std::wstring ini = folder + L"\\Long.ini";
    shell::WriteIni(kSection, L"Long", value, ini);
    EXPECT_EQ(shell::ReadIni(kSection, L"Long", ini), value.substr(0, 255));
    EXPECT_EQ(shell::ReadIni(kSection, L"Absent", ini), L"");
    EXPECT_EQ(shell::ReadIni(L"Nowhere", L"Long", ini), L"");
    EXPECT_EQ(shell::ReadIni(kSection, L"Long", folder + L"\\absent.ini"), L"");
  }
}

TEST(FileExists, IsTrueOnlyForAFileThatOpensForReading) {
  TempFolder folder;
  const std::wstring music = folder.file(L"a.mp3");
  ASSERT_TRUE(write_file_bytes(music, "ID3"));
  EXPECT_TRUE(shell::FileExists(music));
  EXPECT_TRUE(shell::FileExists(music + L"\\"));  // one trailing backslash is dropped
  EXPECT_FALSE(shell::FileExists(folder.file(L"gone.mp3")));
  EXPECT_FALSE(shell::FileExists(folder.path()));
  EXPECT_FALSE(shell::FileExists(folder.path() + L"\\"));
  EXPECT_FALSE(shell::FileExists(L""));
  EXPECT_FALSE(shell::FileExists(L"\\"));
  EXPECT_FALSE(shell::FileExists(L"NUL"));
  {
    // Another program writing the file still lets it be read...
    HANDLE writer = CreateFileW(music.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(shell::FileExists(music));
    CloseHandle(writer);
  }
  {
    // ...but one that locks it against reading does not.
    HANDLE locker = CreateFileW(music.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locker, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(shell::FileExists(music));
    CloseHandle(locker);
  }
  EXPECT_TRUE(shell::FileExists(music));
}

// Wine gives every existing file a short name: only a name of none has none.
TEST(MusicPath, IsStoredAsSpelledOrInItsShortFormThatTheCodePageSpellsAndThatNamesTheFile) {
  ASSERT_EQ(GetACP(), 932u);
  TempFolder folder;
  const std::wstring unspelled = folder.file(L"Caf\u00E9 \u301C \u00C9t\u00E9.mp3");  // the wave dash U+301C
  ASSERT_TRUE(write_file_bytes(unspelled, "ID3"));
  const std::optional<std::wstring> stored = shell::storable_music_path(unspelled);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(from_ansi(to_ansi(*stored)), *stored);
  EXPECT_TRUE(shell::FileExists(*stored));
  EXPECT_EQ(shell::shown_music_path(*stored), unspelled);
  // 曲 and the full-width tilde U+FF5E are spelled: kept as they are, file or not.
  const std::wstring spelled = folder.file(L"gone \u66F2 \uFF5E.mp3");
  EXPECT_EQ(shell::storable_music_path(spelled), spelled);
  EXPECT_EQ(shell::storable_music_path(folder.file(L"gone \u00E9.mp3")), std::nullopt);
}

// LoadSettings reads Tessarine.ini beside this test program.
class LoadSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileW(ini_.c_str()); }
  void TearDown() override { DeleteFileW(ini_.c_str()); }
  void write(const std::wstring& kind, const std::wstring& repeat, const std::wstring& file) {
    shell::WriteIni(kSection, kKeyKind, kind, ini_);
    shell::WriteIni(kSection, kKeyRepeat, repeat, ini_);
    shell::WriteIni(kSection, kKeyFile, file, ini_);
  }
  shell::SettingsRecord load() {
    shell::Tessarine_B().settings = {};
    shell::LoadSettings();
    return shell::Tessarine_B().settings;
  }
  const std::wstring ini_ = shell::settings_file_path();
  TempFolder music_;
};

TEST_F(LoadSettingsFile, FillsTheRecordAndKeepsAChoiceWhoseFileIsAwayWithoutTouchingTheFile) {
  // No file yet: nothing, and the picker starts in the program folder.
  shell::SettingsRecord r = load();
  EXPECT_EQ(r.BgmKind, 0);
  EXPECT_EQ(r.BgmRepeat, 0);
  EXPECT_EQ(r.BgmFile, L"");
  EXPECT_EQ(r.BgmFolder, shell::program_folder());

  const std::wstring song = music_.file(L"\u66F2.wav");
  ASSERT_TRUE(write_file_bytes(song, "RIFF"));
  write(shell::integer_text(2), shell::integer_text(7), song);
  r = load();
  EXPECT_EQ(r.BgmKind, 2);
  EXPECT_EQ(r.BgmRepeat, 7);
  EXPECT_EQ(r.BgmFile, song);
  EXPECT_EQ(r.BgmFolder, music_.path());
  EXPECT_EQ(r.picture, renderer::PictureOptions()) << "a file without the picture's keys";
  for (const shell::KeyValue& value : shell::picture_values({0.5, 3, 0x102030, 60, false, true}))
    shell::WriteIni(kSection, value.key, value.value, ini_);
  EXPECT_EQ(load().picture, (renderer::PictureOptions{0.5, 3, 0x102030, 60, false, true}));

  DeleteFileW(song.c_str());
  const std::string before = read_file_bytes(ini_);
  r = load();
  EXPECT_EQ(r.BgmKind, 2);
  EXPECT_EQ(r.BgmFile, song);
  EXPECT_EQ(r.BgmFolder, music_.path());
  EXPECT_EQ(read_file_bytes(ini_), before);
}

}  // namespace
}  // namespace tessarine::test
