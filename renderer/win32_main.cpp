// The renderer Tessarine.dll: an executable that shows the grid scene until
// Escape, with the picture's options from its command line.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "picture_options.h"
#include "win32_owner.h"
#include "win32_window.h"

namespace {

void free_arguments(LPWSTR* arguments) { LocalFree(arguments); }

// The arguments after the program's name, as ASCII text: one outside ASCII
// becomes empty and so never reads. The shell may name the program by an
// unquoted path with blanks; its pieces then come first and are unknown.
std::vector<std::string> command_line_arguments() {
  int count = 0;
  const tessarine::renderer::Owner<LPWSTR*, free_arguments> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> narrow;
  for (int i = 1; arguments && i < count; ++i) {
    std::string text;
    for (const wchar_t* c = arguments.get()[i]; *c; ++c) {
      if (*c >= 0x80) {
        text.clear();
        break;
      }
      text.push_back(static_cast<char>(*c));
    }
    narrow.push_back(std::move(text));
  }
  return narrow;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  const tessarine::renderer::PictureOptions options = tessarine::renderer::read_options(command_line_arguments());
  return tessarine::renderer::run_renderer(instance, show_command, options);
}
