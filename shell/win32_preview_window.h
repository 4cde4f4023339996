// The preview window "Tessarine_R" shown inside the display settings.
#pragma once

#include <windows.h>

namespace tessarine::shell {

// Makes the preview a child of `parent`, fills it and shows the still picture.
void build_preview(HWND parent);

}  // namespace tessarine::shell
