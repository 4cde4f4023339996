// The mode table and the preview's parent handle.
#include "startup_args.h"

#include <gtest/gtest.h>

namespace tessarine::shell {
namespace {

TEST(StartMode, FollowsTheModeTable) {
  struct Case {
    const wchar_t* arguments;
    StartMode mode;
  };
  for (const Case& c : {Case{L"/s", StartMode::Saver}, Case{L"-S", StartMode::Saver}, Case{L"/S", StartMode::Saver},
                        Case{L"xs", StartMode::Saver}, Case{L"s", StartMode::End}, Case{L"/p 1234", StartMode::Preview},
                        Case{L"/P1234", StartMode::Preview}, Case{L"/p", StartMode::Preview},
                        Case{L"/c", StartMode::Configure}, Case{L"/c:1234", StartMode::Configure},
                        Case{L"-C", StartMode::Configure}, Case{L"/a 1234", StartMode::End}, Case{L"x", StartMode::End},
                        Case{L"/", StartMode::End}, Case{L" ", StartMode::End}, Case{L"", StartMode::Configure}}) {
    EXPECT_EQ(start_mode(c.arguments), c.mode) << testing::PrintToString(std::wstring(c.arguments));
  }
  EXPECT_EQ(start_mode(L"/s" + std::wstring(10000, L'x')), StartMode::Saver);
  EXPECT_EQ(start_mode(std::wstring(10000, L'\u5168')), StartMode::End);
}

TEST(ParentHandle, ReadsTheNumberFromTheFourthCharacter) {
  EXPECT_EQ(parent_handle(L"/p 1234"), 1234u);
  EXPECT_EQ(parent_handle(L"/p1234"), 234u);
  EXPECT_EQ(parent_handle(L"/p   \t 77"), 77u);
  EXPECT_EQ(parent_handle(L"/p 1234 5678"), 1234u);  // reading stops at the blank
  EXPECT_EQ(parent_handle(L"/p 1234abc"), 1234u);
  EXPECT_EQ(parent_handle(L"/p 2147483647"), 2147483647u);
  EXPECT_EQ(parent_handle(L"/p -2"), 0xFFFFFFFEu);  // a 32-bit signed value
}

TEST(ParentHandle, GivesZeroWithoutANumber) {
  for (const wchar_t* text : {L"", L"/p", L"/p ", L"/p x1", L"/p -", L"/p .", L"/p:", L"/p +"}) {
    EXPECT_EQ(parent_handle(text), 0u) << testing::PrintToString(std::wstring(text));
  }
  EXPECT_EQ(parent_handle(L"/p " + std::wstring(10000, L' ')), 0u);
}

TEST(ParentHandle, RoundsAndGivesZeroBeyond32Bits) {
  EXPECT_EQ(parent_handle(L"/p 12.4"), 12u);
  EXPECT_EQ(parent_handle(L"/p 12.6"), 13u);
  EXPECT_EQ(parent_handle(L"/p 12.5"), 12u);  // halves to even
  EXPECT_EQ(parent_handle(L"/p 1e3"), 1000u);
  EXPECT_EQ(parent_handle(L"/p 2147483648"), 0x80000000u);  // written unsigned
  EXPECT_EQ(parent_handle(L"/p 4294967295"), 0xFFFFFFFFu);
  EXPECT_EQ(parent_handle(L"/p 4294967296"), 0u);
  EXPECT_EQ(parent_handle(L"/p 99999999999"), 0u);
  EXPECT_EQ(parent_handle(L"/p -2147483649"), 0u);
  EXPECT_EQ(parent_handle(L"/p " + std::wstring(10000, L'9')), 0u);
}

}  // namespace
}  // namespace tessarine::shell
