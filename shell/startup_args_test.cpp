// The mode letter and the preview's parent handle.
#include "startup_args.h"

#include <gtest/gtest.h>

namespace tessarine::shell {
namespace {

TEST(ModeLetter, IsTheUpperCaseSecondCharacter) {
  EXPECT_EQ(mode_letter(L"/s"), L'S');
  EXPECT_EQ(mode_letter(L"-S"), L'S');
  EXPECT_EQ(mode_letter(L"s"), 0);
  EXPECT_EQ(mode_letter(L""), 0);
}

TEST(ParentHandle, ReadsFromTheFourthCharacter) {
  EXPECT_EQ(parent_handle(L"/p 1234"), 1234u);
  EXPECT_EQ(parent_handle(L"/p1234"), 234u);
  EXPECT_EQ(parent_handle(L"/p"), 0u);
  EXPECT_EQ(parent_handle(L"/p 99999999999"), 0u);
}

}  // namespace
}  // namespace tessarine::shell
