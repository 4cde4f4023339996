// The screen's dots per inch, as the shell's windows convert their twips.
#pragma once

#include <windows.h>

#include "twips.h"
#include "win32_gdi.h"

namespace tessarine::shell {

// 96 in a direction that the screen does not report.
inline Dpi screen_dpi() {
  gdi::WindowDc screen(nullptr);
  Dpi dpi;
  if (!screen) return dpi;
  if (const int x = GetDeviceCaps(screen.get(), LOGPIXELSX); x > 0) dpi.x = x;
  if (const int y = GetDeviceCaps(screen.get(), LOGPIXELSY); y > 0) dpi.y = y;
  return dpi;
}

}  // namespace tessarine::shell
