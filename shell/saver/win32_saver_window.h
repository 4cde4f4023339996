// The hidden saver window "Tessarine_Main" that runs one saver session.
#pragma once

#include <string>

namespace tessarine::shell {

// Loads the window without showing it; its load starts the run of the
// renderer at `renderer_path`. The run calls `end_program` to end.
void load_saver_window(const std::wstring& renderer_path, void (*end_program)());

}  // namespace tessarine::shell
