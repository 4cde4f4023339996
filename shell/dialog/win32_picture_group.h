// The settings dialog's picture group 画面: a second panel below the music
// group with the speed, density and frame-rate limit lists, the colour's
// swatch and button (the system's colour dialog), the frame-rate text and
// end-on-input check boxes, 既定値に戻す, and the place of the live preview.
#pragma once

#include <windows.h>

#include <cstdint>

#include "picture_state.h"
#include "win32_accessible_names.h"
#include "win32_dialog_build.h"
#include "win32_dialog_controls.h"
#include "win32_live_preview.h"

namespace tessarine::shell::dialog {

class PictureGroup {
 public:
  // Edits `picture`, the settings record's.
  explicit PictureGroup(renderer::PictureOptions& picture) : state_(picture) {}
  PictureGroup(const PictureGroup&) = delete;
  PictureGroup& operator=(const PictureGroup&) = delete;

  // Makes the panel and its controls in `dialog` in their keyboard order:
  // speed, density, frame-rate limit, colour, the two check boxes, then
  // 既定値に戻す (the colour and defaults buttons call `events`' handlers).
  // The lists are named for screen readers by their captions.
  void build(HWND dialog, ControlBuilder& build, const DialogResources& resources, const DialogEvents& events,
             AccessibleNames& names);
  // Fills the lists and shows the loaded picture.
  void load();
  // Paints the panel's background rows for its size.
  void paint_background();

  // A notification of one of the group's controls (its panel passes them on
  // to the dialog): a list's choice or a check box's click.
  void on_command(int id, int code);
  // The colour button: the system's colour dialog, owned by the settings
  // dialog and opened with the current colour; a cancel changes nothing.
  void choose_colour();
  // 既定値に戻す: the standard picture, shown at once; saved only by OK.
  void restore_defaults();
  // The dialog was minimised (true) or shown again: the live preview rests meanwhile.
  void pause_preview(bool paused) { preview_.pause(paused); }

  const renderer::PictureOptions& picture() const { return state_.picture(); }
  // The live preview: a child of the panel (kIdLivePreview) that shows the
  // flight with the group's settings as they stand.
  HWND live_preview() const { return live_preview_; }

 private:
  void show_choices();

  PictureState state_;
  LivePreview preview_;
  Surface background_;
  HWND dialog_ = nullptr;
  HWND panel_ = nullptr;
  HWND speed_ = nullptr;
  HWND density_ = nullptr;
  HWND frame_rate_ = nullptr;
  HWND swatch_ = nullptr;
  HWND show_fps_ = nullptr;
  HWND end_on_input_ = nullptr;
  HWND live_preview_ = nullptr;
};

}  // namespace tessarine::shell::dialog
