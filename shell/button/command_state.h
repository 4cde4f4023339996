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

// What the button attends to, kept as LookState: nothing until Initialize,
// then the pointer over it, the keyboard focus, both or neither.
enum class Attention : std::uint8_t { Uninitialised = 0, None = 1, Pointer = 2, Focus = 3, PointerAndFocus = 4 };

// Per-instance state. Enabled and FirstRun are stored properties as well:
// this is their one place, and the property store reads and writes them here.
struct CommandState {
  Attention LookState = Attention::Uninitialised;
  bool GradientInverted = false;
  bool MouseHeld = false;
  bool SpaceHeld = false;  // Space went down on the focused button and is not yet up
  bool Enabled = true;
  std::uint8_t FirstRun = 1;  // 0: placed fresh, off until Enabled is first read
};

// The look of each attention at rest: None Normal, Pointer HighLight, Focus
// Selected, PointerAndFocus HighLightSelect (Uninitialised Normal).
Look OwnLook(Attention attention);

// Initialize: from here on the button follows the pointer and the focus.
void Initialized(CommandState& state);

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
// state (upright with None or Focus, inverted with Pointer, kept otherwise).
// Returns it.
bool UpdateOrientation(CommandState& state);

// Normal while enabled, Disable otherwise.
Look EnabledLook(const CommandState& state);

}  // namespace tessarine::button
