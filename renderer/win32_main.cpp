// The renderer Tessarine.dll: an executable that shows the grid scene until Escape.
#include <windows.h>

#include "win32_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  return tessarine::renderer::run_renderer(instance, show_command);
}
