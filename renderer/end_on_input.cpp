// Which releases end the renderer under --end-on-input.
#include "end_on_input.h"

namespace tessarine::renderer {
namespace {

constexpr int kKeys = 256;  // the buttons come after the key codes

int control_of(MouseButton button) { return kKeys + static_cast<int>(button); }

}  // namespace

void EndOnInput::key_down(int key) {
  if (key >= 0 && key < kKeys) down_.set(static_cast<size_t>(key));
}

void EndOnInput::button_down(MouseButton button) { down_.set(static_cast<size_t>(control_of(button))); }

bool EndOnInput::key_up(int key) {
  if (key < 0 || key >= kKeys) return false;
  const bool ends = release(key);
  return ends && key != kTabKey && key != kSpaceKey;
}

bool EndOnInput::button_up(MouseButton button) { return release(control_of(button)); }

// True when the control was down; it is up afterwards either way.
bool EndOnInput::release(int control) {
  const bool was_down = down_.test(static_cast<size_t>(control));
  down_.reset(static_cast<size_t>(control));
  return enabled_ && was_down;
}

}  // namespace tessarine::renderer
