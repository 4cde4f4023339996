// Which releases end the renderer under --end-on-input: that of any key but
// Tab and Space (which keep their own meaning), and that of any mouse button;
// but only a release whose press the renderer saw, so that a key still held
// from the command that started the saver does not end it at once. Pointer
// moves never end it. Free of Windows.
#pragma once

#include <bitset>

namespace tessarine::renderer {

// Virtual-key codes with a meaning of their own.
inline constexpr int kTabKey = 0x09;
inline constexpr int kSpaceKey = 0x20;

enum class MouseButton { left, right, middle, x1, x2 };

class EndOnInput {
 public:
  explicit EndOnInput(bool enabled = false) : enabled_(enabled) {}

  // A key's (a virtual-key code, 0 to 255) or a button's press.
  void key_down(int key);
  void button_down(MouseButton button);
  // A release: true when it ends the renderer.
  bool key_up(int key);
  bool button_up(MouseButton button);

 private:
  bool release(int control);

  bool enabled_;
  std::bitset<256 + 5> down_;  // pressed, not yet released: the 256 key codes, then the buttons
};

}  // namespace tessarine::renderer
