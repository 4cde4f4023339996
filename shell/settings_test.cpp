// Reading numbers, writing integer text and path parts of the settings file.
#include "settings.h"

#include <gtest/gtest.h>

namespace tessarine::shell {
namespace {

TEST(IntegerText, CarriesASignPosition) {
  EXPECT_EQ(integer_text(2), L" 2");
  EXPECT_EQ(integer_text(0), L" 0");
  EXPECT_EQ(integer_text(-7), L"-7");
  EXPECT_EQ(integer_text(-32768), L"-32768");
}

TEST(ReadInt16, TakesTheIntegerPartRoundedDown) {
  EXPECT_EQ(read_int16(L"1.7"), 1);
  EXPECT_EQ(read_int16(L" 2 "), 2);
  EXPECT_EQ(read_int16(L"-1.5"), -2);
  EXPECT_EQ(read_int16(L"abc"), std::nullopt);
  EXPECT_EQ(read_int16(L"40000"), std::nullopt);
}

TEST(FolderOf, KeepsTheFolderWithoutItsBackslash) {
  EXPECT_EQ(FolderOf(L"C:\\Music\\a.mp3"), L"C:\\Music");
  EXPECT_EQ(FolderOf(L"C:\\a.mp3"), L"C:");
  EXPECT_EQ(FolderOf(L"a.mp3"), L"");
}

}  // namespace
}  // namespace tessarine::shell
