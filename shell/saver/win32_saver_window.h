// The hidden saver window "Tessarine_Main" that runs one saver session.
#pragma once

namespace tessarine::shell {

// Loads the window without showing it; its load starts the run.
void load_saver_window();

}  // namespace tessarine::shell
