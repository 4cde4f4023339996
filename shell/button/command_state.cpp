// The visual state machine of the `Command` button.
#include "command_state.h"

namespace tessarine::button {

Look OwnLook(Attention attention) {
  switch (attention) {
    case Attention::Pointer: return Look::HighLight;
    case Attention::Focus: return Look::Selected;
    case Attention::PointerAndFocus: return Look::HighLightSelect;
    default: return Look::Normal;
  }
}

void Initialized(CommandState& state) { state.LookState = Attention::None; }

std::optional<Look> PointerMoved(CommandState& state) {
  if (!state.Enabled) return std::nullopt;
  if (state.LookState == Attention::None) {
    state.LookState = Attention::Pointer;
    return Look::HighLight;
  }
  // A press dragged off and back keeps Focus, so its release stays no click.
  if (state.LookState == Attention::Focus && !state.MouseHeld) {
    state.LookState = Attention::PointerAndFocus;
    return Look::HighLightSelect;
  }
  return std::nullopt;
}

// The focus moves the state even while the button is disabled (only the
// paint waits): the focus leaves a button that is disabled while it has it
// only after Enabled is already false.
std::optional<Look> FocusGained(CommandState& state) {
  std::optional<Look> paint;
  switch (state.LookState) {
    case Attention::Pointer:
      state.LookState = Attention::PointerAndFocus;
      paint = Look::Pressed;
      break;
    case Attention::None:
    case Attention::Focus:
    case Attention::PointerAndFocus:
      state.LookState = Attention::Focus;
      paint = Look::Selected;
      break;
    case Attention::Uninitialised:
      break;
  }
  return state.Enabled ? paint : std::nullopt;
}

// The pointer is forgotten with the focus; the next move brings it back.
std::optional<Look> FocusLost(CommandState& state) {
  state.SpaceHeld = false;
  if (state.LookState == Attention::Uninitialised || state.LookState == Attention::None) return std::nullopt;
  state.LookState = Attention::None;
  return state.Enabled ? std::optional<Look>(Look::Normal) : std::nullopt;
}

std::optional<Look> PointerLeft(CommandState& state) {
  if (!state.Enabled) return std::nullopt;
  if (state.LookState == Attention::Pointer) {
    state.LookState = Attention::None;
    return Look::Normal;
  }
  if (state.LookState == Attention::PointerAndFocus) {
    state.LookState = Attention::Focus;
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
    if (state.LookState == Attention::Pointer) result.paint = Look::Normal;
    if (state.LookState == Attention::PointerAndFocus) result.paint = Look::HighLightSelect;
  }
  result.click = state.LookState != Attention::Focus;
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
  result.paint = OwnLook(state.LookState);
  result.click = true;
  return result;
}

bool UpdateOrientation(CommandState& state) {
  if (state.LookState == Attention::None || state.LookState == Attention::Focus) state.GradientInverted = false;
  if (state.LookState == Attention::Pointer) state.GradientInverted = true;
  return state.GradientInverted;
}

Look EnabledLook(const CommandState& state) { return state.Enabled ? Look::Normal : Look::Disable; }

}  // namespace tessarine::button
