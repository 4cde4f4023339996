// Reading the screen saver's argument text: the mode (from mode_letter of
// shell_module.h) and the preview's parent window handle.
#pragma once

#include <cstdint>
#include <string>

#include "shell_module.h"

namespace tessarine::shell {

// The decimal number from the fourth character on (blanks skipped, reading
// stops at the first character that cannot belong to it), rounded, as its 32
// bits (signed or unsigned); 0 when there is none or it does not fit 32 bits.
// "/p 1234" -> 1234, "/p1234" -> 234.
uint32_t parent_handle(const std::wstring& arguments);

// What a start does after the single-instance guard. Every mode but Preview
// first reads the settings and checks for the renderer.
enum class StartMode {
  Preview,    // "P": the preview window inside the parent handle
  Configure,  // "C", or no arguments at all (Explorer's Configure): the modal settings dialog, then the end
  Saver,      // "S": the cursor hidden, then the saver run
  End,        // any other text: the end, after the renderer check
};
StartMode start_mode(const std::wstring& arguments);

}  // namespace tessarine::shell
