// The picture group's live preview: the saver's flight with the picture
// settings as they stand in the dialog, before 設定, paced as the renderer
// paces its frames. An OpenGL window inside the dialog would show nothing
// under Wine, so the scene is drawn offscreen in this process and copied into
// an ordinary child window, where its pixels are the window's own. It draws
// nothing while the dialog is minimised, and ends with its window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "offscreen_scene.h"
#include "picture_options.h"

namespace tessarine::shell::dialog {

class LivePreview {
 public:
  LivePreview() = default;
  LivePreview(const LivePreview&) = delete;
  LivePreview& operator=(const LivePreview&) = delete;

  // Makes the preview's window at `area` of `parent`; it shows the scene's
  // background until the flight starts.
  HWND create(HWND parent, int id, const RECT& area);
  // Starts the flight with `options`. Where OpenGL cannot draw offscreen the
  // window keeps showing the background, and nothing else changes.
  void start(const renderer::PictureOptions& options);
  // The settings changed: the next frame shows them, and the flight goes on.
  void show(const renderer::PictureOptions& options);
  // The dialog was minimised (true) or shown again (false).
  void pause(bool paused);

 private:
  static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void on_timer();
  void on_paint();
  void on_destroy();
  void arm_timer();

  HWND window_ = nullptr;
  renderer::OffscreenScene scene_;
  bool paused_ = false;
  std::int64_t frames_ = 0;  // published on the window for those who watch it draw
};

}  // namespace tessarine::shell::dialog
