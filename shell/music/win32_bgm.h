// The process's music module over the Windows multimedia library.
#pragma once

#include <windows.h>

#include "bgm.h"

namespace tessarine::music {

// Tessarine_BGM of this process, playing what the start-up's settings record names.
Bgm& Tessarine_BGM();

// MCI notices of the music's commands go to `window` as MM_MCINOTIFY.
void notify_music_to(HWND window);

}  // namespace tessarine::music
