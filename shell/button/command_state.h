// The `Command` button's visual state machine and click rule. Platform-free:
// the window layer reports pointer, focus and mouse events and paints the
// look each transition names.
#pragma once

#include <cstdint>
#include <optional>

namespace tessarine::button {

// The six look images.
enum class Look : std::uint8_t { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };

enum class MouseButton : std::uint8_t { Left, Right, Middle };

// Per-instance state. LookState: 0 until Initialize, then 1 Normal,
// 2 HighLight (pointer over), 3 Selected (focus), 4 HighLightSelect (both).
struct CommandState {
  std::uint8_t LookState = 0;
  bool GradientInverted = false;
  bool MouseHeld = false;
  bool SpaceHeld = false;  // Space went down on the focused button and is not yet up
  bool Enabled = true;
  std::uint8_t FirstRun = 1;
};

// Each transition returns the look to paint, or nothing. While the button is
// disabled none of them paints, and only the focus moves the state: it has to
// follow the real focus whatever the order of disabling and focus loss.
std::optional<Look> PointerMoved(CommandState& state);
std::optional<Look> FocusGained(CommandState& state);
std::optional<Look> FocusLost(CommandState& state);
std::optional<Look> PointerLeft(CommandState& state);
std::optional<Look> ButtonPressed(CommandState& state, MouseButton button);

struct Release {
  std::optional<Look> paint;
  bool click = false;
};
Release ButtonReleased(CommandState& state, MouseButton button);

// The keyboard, as a mouse click: Space pressed on the focused button shows
// it pressed (an auto-repeat is no new press), and its release clicks once
// and shows the state's own look. Losing the focus in between lets Space go
// without a click.
std::optional<Look> SpacePressed(CommandState& state);
Release SpaceReleased(CommandState& state);

// The first step of every paint: the face gradient's orientation follows the
// state (upright in 1 and 3, inverted in 2, kept in 4). Returns it.
bool UpdateOrientation(CommandState& state);

// Normal while enabled, Disable otherwise.
Look EnabledLook(const CommandState& state);

}  // namespace tessarine::button
