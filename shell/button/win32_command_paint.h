// Drawing the `Command` button into any device context: the face (gradient
// and framed look image) and the caption label; and the caption's GDI font.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "command_properties.h"
#include "command_state.h"
#include "twips.h"
#include "win32_gdi.h"

namespace tessarine::button {

// A look image as the program carries it: the bytes of a 64 x 25 bitmap file.
struct LookFile {
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
};
LookFile look_file(Look look);

// The face over `area`: the system's button colour, the gradient (white over
// the shade, or the reverse when `inverted`) and the look image's frame, its
// corners kept and its edges stretched.
void paint_face(HDC dc, const RECT& area, Look look, bool inverted, shell::Dpi dpi);

// The caption label: one line centred across `area`, `top` pixels below its
// top; in the platform's disabled-text style unless `enabled`.
struct CaptionLabel {
  const std::wstring& text;
  HFONT font;
  COLORREF colour;
  bool enabled;
  int top;
};
void paint_caption(HDC dc, const RECT& area, const CaptionLabel& label);

// A GDI font and its description, sizes in points at the screen's dpi.
FontSpec font_spec_of(HFONT font);
gdi::Font make_font(const FontSpec& font_spec);
// The host's font (WM_GETFONT), else the system's GUI font.
FontSpec ambient_font_of(HWND host);

}  // namespace tessarine::button
