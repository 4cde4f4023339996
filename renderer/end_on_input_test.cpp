// Which releases end the renderer under --end-on-input.
#include "end_on_input.h"

#include <gtest/gtest.h>

namespace tessarine::renderer {
namespace {

constexpr int kEscape = 0x1B;
constexpr int kLetterA = 'A';
constexpr int kAlt = 0x12;

TEST(EndOnInput, TheReleaseOfAnyKeyButTabAndSpaceOrOfAnyButtonEndsOnceItsPressWasSeen) {
  for (int key : {kLetterA, kEscape, kAlt, 0x70 /* F1 */, 0xFF}) {
    SCOPED_TRACE(key);
    EndOnInput input(true);
    input.key_down(key);
    EXPECT_TRUE(input.key_up(key));
  }
  for (MouseButton button : {MouseButton::left, MouseButton::right, MouseButton::middle, MouseButton::x1,
                             MouseButton::x2}) {
    SCOPED_TRACE(static_cast<int>(button));
    EndOnInput input(true);
    input.button_down(button);
    EXPECT_TRUE(input.button_up(button));
  }
}

TEST(EndOnInput, ReleasesWithoutASeenPressTabSpaceAndAnotherControlsPressEndNothing) {
  EndOnInput input(true);
  EXPECT_FALSE(input.key_up(kLetterA)) << "a key held from the command that started the saver";
  EXPECT_FALSE(input.button_up(MouseButton::left));
  for (int key : {kTabKey, kSpaceKey}) {
    input.key_down(key);
    EXPECT_FALSE(input.key_up(key)) << key;
  }
  input.key_down(kLetterA);
  input.button_down(MouseButton::x1);
  EXPECT_FALSE(input.key_up('B'));
  EXPECT_FALSE(input.button_up(MouseButton::x2));
  input.key_down(300);
  EXPECT_FALSE(input.key_up(300)) << "no key has that code";
  EXPECT_TRUE(input.key_up(kLetterA));
  EXPECT_FALSE(input.key_up(kLetterA)) << "released twice";
  EXPECT_TRUE(input.button_up(MouseButton::x1));
}

TEST(EndOnInput, WithoutTheOptionNothingEnds) {
  EndOnInput input;
  input.key_down(kLetterA);
  input.button_down(MouseButton::left);
  EXPECT_FALSE(input.key_up(kLetterA));
  EXPECT_FALSE(input.button_up(MouseButton::left));
}

}  // namespace
}  // namespace tessarine::renderer
