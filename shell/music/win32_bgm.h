// The process's music module over the Windows multimedia library.
#pragma once

#include "bgm.h"

namespace tessarine::music {

// Tessarine_BGM of this process, playing what the start-up's settings record names.
Bgm& Tessarine_BGM();

}  // namespace tessarine::music
