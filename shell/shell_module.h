// State of the start-up module: the settings record and the values that the
// start-up, the saver run and the settings dialog share. One per process.
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

StartupModule& Tessarine_B();

}  // namespace tessarine::shell
