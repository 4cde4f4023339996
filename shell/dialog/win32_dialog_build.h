// The settings dialog's parts: what it loads (icons, fonts, the hand cursor,
// the mark pictures and the looks of its labels) and its controls, built in
// their keyboard order where the layout places them at the screen's dpi.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "dialog_state.h"
#include "twips.h"
#include "win32_accessible_names.h"
#include "win32_command_button.h"
#include "win32_dialog_controls.h"
#include "win32_gdi.h"

namespace tessarine::shell::dialog {

// The controls point at these: the dialog keeps them until its window is gone.
struct DialogResources {
  gdi::OwnedIcon icon;
  gdi::OwnedIcon small_icon;
  gdi::Font font;
  gdi::Font underlined_font;
  gdi::Bitmap unselected_mark;
  gdi::Bitmap selected_mark;
  gdi::OwnedCursor hand;  // over the web address
  LabelLook black_text;
  LabelLook centred_text;
  LabelLook file_text;
  LabelLook url_text;
};

// What the controls call; the dialog keeps it until its window is gone.
struct DialogEvents {
  std::array<ControlEvents, kKindCount> kinds;  // a kind's mark or label pressed
  ControlEvents url;                            // the web address clicked
  button::Command::ClickHandler file_button;    // Cmd_File(0)
  button::Command::ClickHandler set;            // Cmd_Set
  button::Command::ClickHandler cancel;         // Cmd_Can
  button::Command::ClickHandler colour;         // the picture's 色...
  button::Command::ClickHandler defaults;       // 既定値に戻す
};

class PictureGroup;

// The controls that the dialog works with once they are built; null where
// one could not be made.
struct DialogControls {
  HWND panel = nullptr;
  HWND repeat = nullptr;
  HWND file_label = nullptr;
  HWND url = nullptr;
  std::array<HWND, kKindCount> marks = {};
  std::array<HWND, 2> mark_sources = {};  // Img_Ra(0), Img_Ra(1)
  button::Command* file_button = nullptr;
  std::vector<std::unique_ptr<button::Command>> commands;  // the button controls, in keyboard order
};

// Loads the resources and gives `dialog` its icons and font.
void load_resources(HWND dialog, Dpi dpi, DialogResources& resources);

// Makes controls where the layout places them, by their identifiers, into
// `controls`; the button controls join its keyboard-ordered list.
class ControlBuilder {
 public:
  ControlBuilder(Dpi dpi, DialogControls& controls) : dpi_(dpi), controls_(controls) {}

  Dpi dpi() const { return dpi_; }
  RECT area_of(int id) const;
  HWND add_label(HWND parent, int id, const wchar_t* text, const LabelLook* look,
                 const ControlEvents* events = nullptr) const;
  HWND add_image(HWND parent, int id, const ControlEvents* events) const;
  // A drop-down list (CBS_DROPDOWNLIST) or a combo box with a text field
  // (CBS_DROPDOWN) that opens below its field, whose field takes the
  // laid-out height (the list's own item height makes it taller).
  HWND add_drop_down(HWND parent, int id, DWORD kind, HFONT font) const;
  // A button control in the dialog's font, in the keyboard order.
  button::Command* add_command(HWND parent, int id, const wchar_t* caption, int index,
                               const button::Command::ClickHandler& click);

 private:
  Dpi dpi_;
  DialogControls& controls_;
};

// Makes the controls of `dialog`: the panel (painted from `panel_background`)
// with its heading, marks, labels, repeat list and file button, then the
// picture group, then the web address, OK and Cancel, and the two mark
// pictures beyond the right edge. The repeat list is named for screen
// readers by its caption.
DialogControls build_controls(HWND dialog, Dpi dpi, const DialogResources& resources, const Surface* panel_background,
                              const DialogEvents& events, PictureGroup& picture, AccessibleNames& names);

}  // namespace tessarine::shell::dialog
