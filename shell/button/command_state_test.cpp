// The button's transitions from every state, and whole sequences of pointer,
// focus, mouse and key events: the looks painted and the click rule.
#include "command_state.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

namespace tessarine::button {
namespace {

CommandState in_state(Attention attention, bool mouse_held = false) {
  CommandState state;
  state.LookState = attention;
  state.MouseHeld = mouse_held;
  return state;
}

constexpr Attention kEvery[] = {Attention::Uninitialised, Attention::None, Attention::Pointer, Attention::Focus,
                                Attention::PointerAndFocus};
constexpr std::span<const Attention> kInitialised = std::span(kEvery).subspan(1);

// Pointer and focus events from every state, held or not: a paint shows the
// own look of the state reached, but for the focus arriving on a hovered
// button, which shows Pressed; before Initialize nothing moves or paints.
TEST(CommandTransitions, EveryPaintShowsTheOwnLookOfTheStateReached) {
  const struct {
    const char* trigger;
    std::optional<Look> (*event)(CommandState&);
  } events[] = {{"pointer over", PointerMoved}, {"focus", FocusGained}, {"focus lost", FocusLost},
                {"pointer left", PointerLeft}};
  for (const auto& [trigger, event] : events) {
    for (Attention before : kEvery) {
      for (bool held : {false, true}) {
        SCOPED_TRACE(testing::Message() << trigger << " in state " << int(before) << (held ? ", held" : ""));
        CommandState state = in_state(before, held);
        const std::optional<Look> paint = event(state);
        EXPECT_EQ(state.MouseHeld, held);
        if (before == Attention::Uninitialised) {
          EXPECT_EQ(paint, std::nullopt);
          EXPECT_EQ(state.LookState, before);
        } else if (paint) {
          const bool pressed = event == FocusGained && before == Attention::Pointer;
          EXPECT_EQ(*paint, pressed ? Look::Pressed : OwnLook(state.LookState));
        }
      }
    }
  }
}

TEST(CommandTransitions, LeftPressPaintsPressedInAnyStateAndOtherButtonsNothing) {
  for (Attention look_state : kInitialised) {
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
    Attention state;
    std::optional<Look> paint;
    bool click;
  } rows[] = {{Attention::None, std::nullopt, true},
              {Attention::Pointer, Look::Normal, true},
              {Attention::Focus, std::nullopt, false},
              {Attention::PointerAndFocus, Look::HighLightSelect, true}};
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
    for (Attention look_state : kInitialised) {
      SCOPED_TRACE(int(look_state));
      CommandState state = in_state(look_state, true);
      const Release release = ButtonReleased(state, button);
      EXPECT_EQ(release.paint, std::nullopt);
      EXPECT_EQ(release.click, look_state != Attention::Focus);
      EXPECT_TRUE(state.MouseHeld);
    }
  }
}

TEST(CommandTransitions, ADisabledButtonPaintsNothingClicksNothingAndFollowsOnlyTheFocus) {
  for (Attention look_state : kInitialised) {
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
    EXPECT_EQ(state.LookState, look_state == Attention::Pointer ? Attention::PointerAndFocus : Attention::Focus);
    EXPECT_EQ(FocusLost(state), std::nullopt);
    EXPECT_EQ(state.LookState, Attention::None);
  }
}

// A user's sequence on an initialised, unfocused button, as the window layer
// reports it: clicks raised and looks painted. The real focus is kept apart
// from the state, as the window layer knows it.
struct Session {
  CommandState state = in_state(Attention::None);
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
  void initialize() { Initialized(state); }
  void space_down() { show(SpacePressed(state)); }
  void space_up() {
    const Release r = SpaceReleased(state);
    show(r.paint);
    clicks += r.click;
  }
};

TEST(CommandSequences, PointerAndFocusComeAndGoEachWithItsOwnLook) {
  Session s;
  s.enter();
  s.enter();  // a second move paints nothing
  s.poll_outside();
  s.poll_outside();
  s.focus();
  s.poll_outside();  // focused, the pointer already away
  s.enter();
  s.enter();
  s.poll_outside();
  s.blur();
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::HighLight, Look::Normal, Look::Selected, Look::HighLightSelect,
                                          Look::Selected, Look::Normal}));
  EXPECT_EQ(s.state.LookState, Attention::None);
}

TEST(CommandSequences, TheFocusOnAHoveredButtonShowsPressedAndItsLossForgetsThePointer) {
  Session s;
  s.enter();
  s.focus();
  s.blur();  // the pointer still over the button
  EXPECT_EQ(s.state.LookState, Attention::None);
  s.enter();
  s.focus();
  s.focus();  // a second notice of the focus, and a third
  s.focus();
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::HighLight, Look::Pressed, Look::Normal, Look::HighLight,
                                          Look::Pressed, Look::Selected, Look::Selected}));
  EXPECT_EQ(s.state.LookState, Attention::Focus);
}

// The host may give a button the focus before Initialize: it follows the
// pointer and the focus only from then on.
TEST(CommandSequences, AButtonFocusedBeforeInitializeStartsWithNoAttention) {
  Session s;
  s.state = in_state(Attention::Uninitialised);
  s.focus();
  s.enter();
  EXPECT_EQ(s.state.LookState, Attention::Uninitialised);
  s.initialize();
  s.blur();
  EXPECT_TRUE(s.painted.empty());
  s.state = in_state(Attention::Uninitialised);
  s.focus();
  s.initialize();
  s.enter();
  s.blur();
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::HighLight, Look::Normal}));
  EXPECT_EQ(s.state.LookState, Attention::None);
}

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
  EXPECT_EQ(s.state.LookState, Attention::PointerAndFocus);
  EXPECT_EQ(s.painted, (std::vector<Look>{Look::HighLight, Look::Pressed, Look::Pressed, Look::HighLightSelect}));
  EXPECT_TRUE(s.state.GradientInverted);  // still inverted from Pointer alone
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
  EXPECT_EQ(s.state.LookState, Attention::Focus);
  s.enter();  // back over the button, still holding
  EXPECT_EQ(s.state.LookState, Attention::Focus);
  s.release();
  EXPECT_EQ(s.clicks, 0);
  EXPECT_EQ(s.state.LookState, Attention::Focus);
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
  EXPECT_EQ(s.state.LookState, Attention::PointerAndFocus);
}

TEST(CommandClickRule, RightButtonReleaseClicksAndItsPressPaintsNothing) {
  Session s;
  s.enter();
  const size_t painted = s.painted.size();
  s.press(MouseButton::Right);
  EXPECT_EQ(s.painted.size(), painted);
  s.release(MouseButton::Right);
  EXPECT_EQ(s.clicks, 1);
  EXPECT_EQ(s.state.LookState, Attention::Pointer);
}

}  // namespace
}  // namespace tessarine::button
