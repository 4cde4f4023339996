// The renderer's current window, which the cursor operations refer to.
#pragma once

#include <windows.h>

namespace tessarine::renderer {

// The current window; none before the first one exists.
extern HWND window_handle;

}  // namespace tessarine::renderer
