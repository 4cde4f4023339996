// The grid scene: a camera gliding between a green grid floor and ceiling,
// drawn with OpenGL 1.1 immediate mode. The window layer calls these with the
// window's GL context current, on its one thread.
#pragma once

#include "camera.h"
#include "frame_timing.h"
#include "picture_options.h"

namespace tessarine::renderer {

// Codes of the events handed to handle_input.
enum InputType : int {
  INPUT_PRESS = 0,    // mouse button down: button 0 left, 1 right, 2 middle, 3 and 4 the X buttons
  INPUT_RELEASE = 1,  // mouse button up
  INPUT_MOVE = 2,     // mouse move: 0 left only, 1 right only, else -1
  INPUT_KEY = 4,      // key released: the virtual-key code; x, y are -1
};

// The scene's process-wide state; survives every window switch.
struct SceneState {
  PictureOptions options;   // speed, density, colour...: read at every frame
  int show_rate = 1;        // frame-rate overlay on; flipped by Space
  Camera camera;            // heading, turning rate, position, speed
  FrameTiming timing;       // frame rate, its measuring window, the automatic steering count
  int list_base = 0;        // display list of character code 0
  IntervalTimer cursor_timer;  // limits cursor re-centring
};

extern SceneState scene;

// Once per program: the start values with the picture's options (camera at
// rest at the origin, overlay on unless --no-fps). 0 = success.
int gl_data(PictureOptions options = {});
// Options changed while the scene runs: the next frame draws with them, the
// flight goes on, and the overlay follows a changed show_fps.
void change_options(const PictureOptions& options);
// Per window, with its context current: fixed GL state, cursor hidden and placed. 0 = success.
int gl_init();
// Viewport and projection for the window's size; the frame rate is measured afresh.
void reshape();
// After a stall or a pause in drawing: the frame rate is measured afresh
// while the camera flies on at the last one.
void resume_frames();
// Advances the camera and draws one frame into the back buffer.
void draw_frame();
// Mouse steering and the Space toggle.
void handle_input(int type, int button, int x, int y);
// A formatted text at (x, y) pixels from the bottom-left, through display lists
// base + code; the GL state (colour, list base, matrix mode, matrices) is left
// as it was found.
void draw_text(float red, float green, float blue, float alpha, int x, int y, int base, const char* format, ...);
// Seconds since the timer's last restart on the performance counter, then an optional restart.
float timer_elapsed(IntervalTimer& timer, bool restart);

}  // namespace tessarine::renderer
