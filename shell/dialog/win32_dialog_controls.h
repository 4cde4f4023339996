// The settings dialog's own lightweight controls as child windows: a retained
// painting surface, the panel that holds one, transparent labels and mark
// images that show their container's painted background through them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "background.h"
#include "twips.h"
#include "win32_gdi.h"

namespace tessarine::shell::dialog {

// A picture kept between paints: drawn on resize, shown on every redraw.
class Surface {
 public:
  // Paints the background rows for a surface of this size; keeps the old
  // picture when the size is empty or the bitmap cannot be made.
  void paint_rows(int width, int height, Rgb (*colour)(int level));
  // Copies the picture to `dc` at (0, 0).
  void show(HDC dc) const;
  // The picture as a brush whose pattern starts at the brush origin; null
  // before the first paint. Kept until the next paint.
  HBRUSH pattern() const;

 private:
  gdi::MemoryBitmap picture_;
  int width_ = 0;
  int height_ = 0;
  mutable gdi::Brush pattern_;
};

// Fills a child's rectangle with what its container shows behind it (the
// container answers WM_PRINTCLIENT with its retained picture).
void paint_container_background(HWND child, HDC dc);

// Per-control settings of a label or mark image; the dialog owns them, the
// window points at them.
struct LabelLook {
  HFONT font = nullptr;
  COLORREF colour = RGB(0, 0, 0);
  UINT format = DT_LEFT | DT_NOPREFIX | DT_SINGLELINE;
  bool border = false;
  HCURSOR cursor = nullptr;  // null: the class arrow
};

struct ControlEvents {
  // A mouse button pressed on the control (any button).
  std::function<void()> pressed;
  // A left-button press and release on the control.
  std::function<void()> clicked;
};

// Application-wide pointer: when set, every window of the dialog shows it.
void set_screen_pointer(HCURSOR cursor);
HCURSOR screen_pointer();

// Registers the panel, label and image window classes once.
void register_control_classes();

// A transparent text label; one that is left-aligned and has no border is
// widened to its text where that is wider. `look` and `events` must outlive
// the window.
HWND create_label(HWND parent, int id, const RECT& area, const std::wstring& text, const LabelLook* look,
                  const ControlEvents* events);

// An image that shows a picture from its top-left corner at its natural size
// on a 96-dpi screen, scaled to a screen of `dpi` (12 x 12 pixels are 24 x 24
// at 192 dpi); the bitmap is not owned. `events` may be null and must outlive
// the window.
HWND create_image(HWND parent, int id, const RECT& area, const ControlEvents* events, Dpi dpi);
void set_image_picture(HWND image, HBITMAP picture);
HBITMAP image_picture(HWND image);

// A container with its own painted background and a one-pixel black outline
// drawn above it (empty outline rectangle: none). `surface` must outlive it.
// Its controls' notifications (WM_COMMAND) go on to its parent, and standard
// check boxes in it show its picture behind them.
HWND create_panel(HWND parent, int id, const RECT& area, const Surface* surface, const RECT& outline);

// An area filled with one colour, with a one-pixel black frame when `framed`.
HWND create_colour_area(HWND parent, int id, const RECT& area, COLORREF colour, bool framed);
void set_area_colour(HWND area, COLORREF colour);

}  // namespace tessarine::shell::dialog
