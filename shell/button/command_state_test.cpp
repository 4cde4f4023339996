// The button's transitions row by row, and the click rule through whole
// sequences of pointer, focus and mouse events.
#include "command_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace tessarine::button {
namespace {

CommandState in_state(std::uint8_t look_state, bool mouse_held = false) {
  CommandState state;
  state.LookState = look_state;
  state.MouseHeld = mouse_held;
  return state;
}

struct Row {
  const char* trigger;
  std::function<std::optional<Look>(CommandState&)> event;
  std::uint8_t before;
  bool mouse_held;
  std::uint8_t after;
  std::optional<Look> paint;
};

TEST(CommandTransitions, EveryRowMovesAndPaintsAsTheTableSays) {
  const auto moved = [](CommandState& s) { return PointerMoved(s); };
  const auto focus = [](CommandState& s) { return FocusGained(s); };
  const auto blur = [](CommandState& s) { return FocusLost(s); };
  const auto left = [](CommandState& s) { return PointerLeft(s); };
  const std::vector<Row> rows = {
      {"pointer over", moved, 1, false, 2, Look::HighLight},
      {"pointer over", moved, 3, false, 4, Look::HighLightSelect},
      {"pointer over", moved, 2, false, 2, std::nullopt},
      {"pointer over", moved, 4, false, 4, std::nullopt},
      {"pointer over, held", moved, 3, true, 3, std::nullopt},
      {"focus", focus, 2, false, 4, Look::Pressed},
      {"focus", focus, 1, false, 3, Look::Selected},
      {"focus", focus, 3, false, 3, Look::Selected},
      {"focus", focus, 4, false, 3, Look::Selected},
      {"focus lost", blur, 2, false, 1, Look::Normal},
      {"focus lost", blur, 3, false, 1, Look::Normal},
      {"focus lost", blur, 4, false, 1, Look::Normal},
      {"focus lost", blur, 1, false, 1, std::nullopt},
      {"pointer left", left, 2, false, 1, Look::Normal},
      {"pointer left", left, 4, false, 3, Look::Selected},
      {"pointer left", left, 1, false, 1, std::nullopt},
      {"pointer left", left, 3, false, 3, std::nullopt},
      // Before Initialize no row applies.
      {"pointer over", moved, 0, false, 0, std::nullopt},
      {"focus", focus, 0, false, 0, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.trigger << " in state " << int(row.before));
    CommandState state = in_state(row.before, row.mouse_held);
    EXPECT_EQ(row.event(state), row.paint);
    EXPECT_EQ(state.LookState, row.after);
    EXPECT_EQ(state.MouseHeld, row.mouse_held);
  }
}

TEST(CommandTransitions, LeftPressPaintsPressedInAnyStateAndOtherButtonsNothing) {
  for (std::uint8_t look_state = 1; look_state <= 4; ++look_state) {
    SCOPED_TRACE(int(look_state));
    CommandState state = in_state(look_state);
    EXPECT_EQ(ButtonPressed(state, MouseButton::Right), std::nullopt);
    EXPECT_EQ(ButtonPressed(state, MouseButton::Middle), std::nullopt);
    EXPECT_FALSE(state.MouseHeld);
    EXPECT_EQ(ButtonPressed(state, MouseButton::Left), Look::Pressed);
    EXPECT_TRUE(state.MouseHeld);
    EXPECT_EQ(state.LookState, look_state);
  }
}

TEST(CommandTransitions, LeftReleasePaintsByStateAndClicksUnlessSelected) {
  const struct {
    std::uint8_t state;
    std::optional<Look> paint;
    bool click;
  } rows[] = {{1, std::nullopt, true}, {2, Look::Normal, true}, {3, std::nullopt, false},
              {4, Look::HighLightSelect, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(int(row.state));
    CommandState state = in_state(row.state, true);
    const Release release = ButtonReleased(state, MouseButton::Left);
    EXPECT_EQ(release.paint, row.paint);
    EXPECT_EQ(release.click, row.click);
    EXPECT_FALSE(state.MouseHeld);
    EXPECT_EQ(state.LookState, row.state);
  }
}

TEST(CommandTransitions, OtherButtonReleasesClickWithoutPaintingOrLettingGoOfTheLeft) {
  for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
    for (std::uint8_t look_state = 1; look_state <= 4; ++look_state) {
      SCOPED_TRACE(int(look_state));
      CommandState state = in_state(look_state, true);
      const Release release = ButtonReleased(state, button);
      EXPECT_EQ(release.paint, std::nullopt);
      EXPECT_EQ(release.click, look_state != 3);
      EXPECT_TRUE(state.MouseHeld);
    }
  }
}

TEST(CommandTransitions, ADisabledButtonPaintsNothingClicksNothingAndFollowsOnlyTheFocus) {
  for (std::uint8_t look_state = 1; look_state <= 4; ++look_state) {
    SCOPED_TRACE(int(look_state));
    CommandState state = in_state(look_state);
    state.Enabled = false;
    EXPECT_EQ(PointerMoved(state), std::nullopt);
    EXPECT_EQ(PointerLeft(state), std::nullopt);
    EXPECT_EQ(ButtonPressed(state, MouseButton::Left), std::nullopt);
    const Release release = ButtonReleased(state, MouseButton::Left);
    EXPECT_EQ(release.paint, std::nullopt);
    EXPECT_FALSE(release.click);
    EXPECT_EQ(state.LookState, look_state);
    EXPECT_FALSE(state.MouseHeld);
    EXPECT_EQ(EnabledLook(state), Look::Disable);

    EXPECT_EQ(FocusGained(state), std::nullopt);
    EXPECT_EQ(state.LookState, look_state == 2 ? 4 : 3);
    EXPECT_EQ(FocusLost(state), std::nullopt);
    EXPECT_EQ(state.LookState, 1);
  }
}

// A user's sequence on an initialised, unfocused button, as the window layer
// reports it: clicks raised and looks painted. The real focus is kept apart
// from the state, as the window layer knows it.
struct Session {
  CommandState state = in_state(1);
  bool focused = false;
  int clicks = 0;
  std::vector<Look> painted;
  void show(std::optional<Look> look) {
    if (!look) return;
    UpdateOrientation(state);  // as every paint begins
    painted.push_back(*look);
  }
  void enter() { show(PointerMoved(state)); }
  void poll_outside() { show(PointerLeft(state)); }
  void focus() {
    focused = true;
    show(FocusGained(state));
  }
  void blur() {
    focused = false;
    show(FocusLost(state));
  }
  // A left press gives the button the focus first.
  void press(MouseButton button = MouseButton::Left) {
    if (button == MouseButton::Left && !focused) focus();
    show(ButtonPressed(state, button));
  }
  void release(MouseButton button = MouseButton::Left) {
    const Release r = ButtonReleased(state, button);
    show(r.paint);
    clicks += r.click;
  }
  void space_down() { show(SpacePressed(state)); }
  void space_up() {
    const Release r = SpaceReleased(state);
    show(r.paint);
    clicks += r.click;
  }
};

TEST(CommandClickRule, SpaceOnTheFocusedButtonClicksOnceOnItsRelease) {
  Session s;
  s.focus();
  s.space_down();
  s.space_down();  // the key's auto-repeat
  EXPECT_EQ(s.clicks, 0);
  s.space_up();
  s.space_up();
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::Selected, Look::Pressed, Look::Selected}));
  // Hovered, it comes back to its hovered look.
  s.enter();
  s.space_down();
  s.space_up();
  EXPECT_EQ(s.painted.back(), Look::HighLightSelect);
  EXPECT_EQ(s.clicks, 2);
}

TEST(CommandClickRule, SpaceLetGoElsewhereOrOnADisabledButtonDoesNotClick) {
  Session s;
  s.focus();
  s.space_down();
  s.blur();  // Tab while Space is held
  s.space_up();
  EXPECT_EQ(s.clicks, 0);
  s.focus();
  s.state.Enabled = false;
  s.space_down();
  s.space_up();
  EXPECT_EQ(s.clicks, 0);
  EXPECT_FALSE(s.state.SpaceHeld);
}

TEST(CommandClickRule, PressAndReleaseOverAnUnfocusedButtonClicksOnceAndEndsHighLightSelect) {
  Session s;
  s.enter();
  s.press();
  s.release();
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.state.LookState, 4);
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::HighLight, Look::Pressed, Look::Pressed, Look::HighLightSelect}));
  EXPECT_TRUE(s.state.GradientInverted);  // still inverted from state 2
}

TEST(CommandClickRule, ClickOnAFocusedButtonAfterThePointerReturns) {
  Session s;
  s.focus();
  s.painted.clear();
  s.enter();
  s.press();
  s.release();
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::HighLightSelect, Look::Pressed, Look::HighLightSelect}));
  EXPECT_FALSE(s.state.GradientInverted);
}

TEST(CommandClickRule, DraggingOffCancelsOncePolledAndReturningDoesNotRestore) {
  Session s;
  s.enter();
  s.press();
  s.poll_outside();  // a tick after the pointer has left
  EXPECT_EQ(s.state.LookState, 3);
  s.enter();  // back over the button, still holding
  EXPECT_EQ(s.state.LookState, 3);
  s.release();
  EXPECT_EQ(s.clicks, 0);
  EXPECT_EQ(s.state.LookState, 3);
  EXPECT_EQ(s.painted.back(), Look::Selected);
}

TEST(CommandClickRule, AReleaseBeforeThePollHasSeenThePointerLeaveStillClicks) {
  Session s;
  s.enter();
  s.press();
  s.release();  // off the button, but no tick yet
  EXPECT_EQ(s.clicks, 1);
}

// The dialog disables "..." while it has the focus (a kind change), and the
// focus leaves it only then; enabled again, it must click at the first try.
TEST(CommandClickRule, AButtonDisabledWhileFocusedClicksAtTheFirstTryOnceEnabledAgain) {
  Session s;
  s.focus();
  s.state.Enabled = false;
  s.painted.clear();
  s.blur();
  EXPECT_TRUE(s.painted.empty());
  s.state.Enabled = true;
  s.enter();
  s.press();
  s.release();
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.state.LookState, 4);
}

TEST(CommandClickRule, RightButtonReleaseClicksAndItsPressPaintsNothing) {
  Session s;
  s.enter();
  const size_t painted = s.painted.size();
  s.press(MouseButton::Right);
  EXPECT_EQ(s.painted.size(), painted);
  s.release(MouseButton::Right);
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.state.LookState, 2);
}

}  // namespace
}  // namespace tessarine::button
