// The renderer's scene drawn in-process into a picture, for a live preview
// inside another program's window (the shell's settings dialog). An OpenGL
// window inside another window shows nothing under Wine, so the scene is
// drawn with the context of a hidden 1 x 1 pop-up into a framebuffer object
// and read back into a DIB section, which the caller blits into an ordinary
// window. The cursor is never hidden or moved.
//
// Only one OffscreenScene is open per process, as the scene's state is
// process-wide: another one's open fails meanwhile. Use it on one thread.
#pragma once

#include <windows.h>

#include <memory>

#include "picture_options.h"

namespace tessarine::renderer {

class OffscreenScene {
 public:
  OffscreenScene();
  ~OffscreenScene();
  OffscreenScene(const OffscreenScene&) = delete;
  OffscreenScene& operator=(const OffscreenScene&) = delete;

  // Makes the hidden window, its context, a width x height framebuffer and
  // the picture, and starts the flight anew as the saver starts it, with the
  // options last set. False where OpenGL's framebuffer extension is missing
  // (Windows' own software OpenGL 1.1), where a step fails, or while another
  // OffscreenScene is open: the caller then shows a still picture.
  bool open(int width, int height);
  // Gives everything back (also on destruction); open may follow again.
  void close();
  bool is_open() const { return resources_ != nullptr; }

  // The picture's options; they take effect at the next frame, and the flight
  // goes on. Before open they are kept for it.
  void set_options(const PictureOptions& options);

  // Draws one frame of the flight, advanced by the real time since the last
  // frame as the renderer measures it, into the picture. Nothing while closed.
  void draw_frame();

  // The last frame: a width x height, 32 bits a pixel DIB section, owned by
  // the scene and valid until close. Select it into a memory device context
  // and BitBlt it; null while closed.
  HBITMAP picture() const;

  // Seconds between two frames as the renderer paces its own: a refresh of
  // the primary display, or 1 / max_fps where that is longer.
  double frame_period() const;

 private:
  struct Resources;
  std::unique_ptr<Resources> resources_;
};

}  // namespace tessarine::renderer
