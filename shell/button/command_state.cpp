// The visual state machine of the `Command` button.
#include "command_state.h"

namespace tessarine::button {

std::optional<Look> PointerMoved(CommandState& state) {
  if (!state.Enabled) return std::nullopt;
  if (state.LookState == 1) {
    state.LookState = 2;
    return Look::HighLight;
  }
  // A press dragged off and back keeps state 3, so its release stays no click.
  if (state.LookState == 3 && !state.MouseHeld) {
    state.LookState = 4;
    return Look::HighLightSelect;
  }
  return std::nullopt;
}

// The focus rows move the state even while the button is disabled (only the
// paint waits): the focus leaves a button that is disabled while it has it
// only after Enabled is already false.
std::optional<Look> FocusGained(CommandState& state) {
  std::optional<Look> paint;
  switch (state.LookState) {
    case 2:
      state.LookState = 4;
      paint = Look::Pressed;
      break;
    case 1:
    case 3:
    case 4:
      state.LookState = 3;
      paint = Look::Selected;
      break;
    default:
      break;
  }
  return state.Enabled ? paint : std::nullopt;
}

std::optional<Look> FocusLost(CommandState& state) {
  state.SpaceHeld = false;
  if (state.LookState < 2 || state.LookState > 4) return std::nullopt;
  state.LookState = 1;
  return state.Enabled ? std::optional<Look>(Look::Normal) : std::nullopt;
}

std::optional<Look> PointerLeft(CommandState& state) {
  if (!state.Enabled) return std::nullopt;
  if (state.LookState == 2) {
    state.LookState = 1;
    return Look::Normal;
  }
  if (state.LookState == 4) {
    state.LookState = 3;
    return Look::Selected;
  }
  return std::nullopt;
}

std::optional<Look> ButtonPressed(CommandState& state, MouseButton button) {
  if (!state.Enabled || button != MouseButton::Left) return std::nullopt;
  state.MouseHeld = true;
  return Look::Pressed;
}

Release ButtonReleased(CommandState& state, MouseButton button) {
  Release result;
  if (!state.Enabled) return result;
  if (button == MouseButton::Left) {
    state.MouseHeld = false;
    if (state.LookState == 2) result.paint = Look::Normal;
    if (state.LookState == 4) result.paint = Look::HighLightSelect;
  }
  result.click = state.LookState != 3;
  return result;
}

std::optional<Look> SpacePressed(CommandState& state) {
  if (!state.Enabled || state.SpaceHeld) return std::nullopt;
  state.SpaceHeld = true;
  return Look::Pressed;
}

Release SpaceReleased(CommandState& state) {
  Release result;
  if (!state.Enabled || !state.SpaceHeld) return result;
  state.SpaceHeld = false;
  static constexpr Look kOwnLook[] = {Look::Normal, Look::Normal, Look::HighLight, Look::Selected,
                                      Look::HighLightSelect};
  result.paint = kOwnLook[state.LookState <= 4 ? state.LookState : 0];
  result.click = true;
  return result;
}

bool UpdateOrientation(CommandState& state) {
  if (state.LookState == 1 || state.LookState == 3) state.GradientInverted = false;
  if (state.LookState == 2) state.GradientInverted = true;
  return state.GradientInverted;
}

Look EnabledLook(const CommandState& state) { return state.Enabled ? Look::Normal : Look::Disable; }

}  // namespace tessarine::button
