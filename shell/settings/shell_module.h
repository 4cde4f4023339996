// State of the start-up module: the settings record and the values that the
// start-up, the saver run, the settings dialog and the music share. One per
// process.
#pragma once

#include <cstdint>
#include <string>

#include "settings.h"

namespace tessarine::shell {

struct StartupModule {
  SettingsRecord settings;  // filled once by LoadSettings at start-up
  int32_t CursorCount = 0;  // display counter returned when the saver hid the cursor
  int16_t AnchorX = 0;      // zoom anchor point, screen pixels
  int16_t AnchorY = 0;
  std::wstring arguments;  // the argument text the program was started with
};

// The process's one start-up module.
StartupModule& Tessarine_B();

// The upper-case second character of the argument text, or 0 when the text is
// shorter than two characters (/s, -S and /S all give 'S'): the start-up's
// mode, which the saver run reads again when it gives the cursor back.
wchar_t mode_letter(const std::wstring& arguments);

}  // namespace tessarine::shell
