// The preview window "Tessarine_R" (placeholder: the preview ends at once).
#include "win32_preview_window.h"

#include "win32_shell.h"

namespace tessarine::shell {

void build_preview(HWND) { end_program(); }

}  // namespace tessarine::shell
