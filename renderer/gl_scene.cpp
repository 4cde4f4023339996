// The grid scene, drawn with OpenGL 1.1 immediate mode and GLU projections.
#ifdef _WIN32
#include <windows.h>  // GL/gl.h needs its calling conventions
#endif
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "end_on_input.h"
#include "gl_scene.h"
#include "window_layer.h"

namespace tessarine::renderer {

SceneState scene;

namespace {

constexpr float kFloorShare = 0.8f;  // of the vertical lines' colour

void send_floor_and_ceiling(const Rgb& colour) {
  glColor4f(colour.red, colour.green, colour.blue, 0.3f);
  for (float plane : {-1.0f, 1.0f}) {
    for (float c = -kGridExtent; c <= kGridExtent; c += 2.0f) {
      glVertex3f(c, plane, -kGridExtent);
      glVertex3f(c, plane, kGridExtent);
      glVertex3f(-kGridExtent, plane, c);
      glVertex3f(kGridExtent, plane, c);
    }
  }
}

// Vertical lines fade with distance from the world's centre. From
// |p| + |q| = 120 on the alpha would be 0 or less, which the blend leaves
// without a trace: those lines (two in three) are not sent, so the picture
// stays the same and the rasteriser is spared their cost.
void send_pillars(const Rgb& colour, const std::vector<float>& coordinates) {
  for (float p : coordinates) {
    for (float q : coordinates) {
      const float alpha = 0.6f - (std::fabs(p) + std::fabs(q)) / 200.0f;
      if (alpha <= 0.0f) continue;
      glColor4f(colour.red, colour.green, colour.blue, alpha);
      glVertex3f(p, -1.0f, q);
      glVertex3f(p, 1.0f, q);
    }
  }
}

// The cursor goes back to the primary's centre at most twenty times a second,
// and only while the renderer is in front.
void recentre_cursor() {
  if (recentre_due(scene.cursor_timer, performance_counter(), window_in_foreground())) {
    set_cursor_client(primary_area.left + primary_area.width / 2, primary_area.top + primary_area.height / 2);
  }
}

}  // namespace

float timer_elapsed(IntervalTimer& timer, bool restart) {
  return tessarine::renderer::timer_elapsed(timer, restart, performance_counter());
}

// By value: the options may be the scene's own, which the fresh state replaces.
int gl_data(PictureOptions options) {
  scene = SceneState{};
  scene.options = options;
  scene.show_rate = options.show_fps ? 1 : 0;
  return 0;
}

void change_options(const PictureOptions& options) {
  if (options.show_fps != scene.options.show_fps) scene.show_rate = options.show_fps ? 1 : 0;
  scene.options = options;
}

int gl_init() {
  glEnable(GL_LINE_SMOOTH);
  glLineWidth(3.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glClearColor(0.0f, 0.1f, 0.2f, 1.0f);
  hide_cursor();
  // Left of and above the centre: the first move event turns left and speeds forwards.
  set_cursor_client(primary_area.left + primary_area.width / 3, primary_area.top + primary_area.height / 3);
  timer_elapsed(scene.cursor_timer, true);
  return 0;
}

void reshape() {
  glViewport(0, 0, window_width, window_height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (primary_area == PixelRect{0, 0, window_width, window_height}) {
    gluPerspective(kFieldOfView, static_cast<double>(window_width) / static_cast<double>(window_height), kNearPlane,
                   kFarPlane);
  } else {  // several monitors: one eye, one projection over all of them
    const Frustum f = frustum_over(primary_area, window_width, window_height);
    glFrustum(f.left, f.right, f.bottom, f.top, f.near_plane, f.far_plane);
  }
  restart_measurement(scene.timing.rate, scene.timing.rate_timer, performance_counter());
}

void resume_frames() { resume_measurement(scene.timing, performance_counter()); }

void draw_frame() {
  Camera& camera = scene.camera;
  const PictureOptions& options = scene.options;
  const float frame_rate = scene.timing.rate.frame_rate;
  const float step = flight_step(frame_rate, options.speed);

  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  turn(camera, step);
  glRotatef(camera.yaw, 0.0f, 1.0f, 0.0f);
  float m[16] = {};  // stays zero when no context is current
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glFlush();
  move(camera, {m[2], m[6], m[10]}, step, world_period(options.density));
  glTranslatef(-camera.position[0], -camera.position[1], -camera.position[2]);

  glBegin(GL_LINES);
  send_floor_and_ceiling(channels(options.colour, kFloorShare));
  send_pillars(channels(options.colour), pillar_coordinates(options.density));
  glEnd();

  if (frame_rate != 0.0f && scene.show_rate) {
    // At the primary's top-right corner; draw_text counts from the bottom-left.
    draw_text(0.1f, 1.0f, 0.1f, 0.4f, primary_area.left + primary_area.width - 114,
              window_height - primary_area.top - 40, scene.list_base, "%5.1f fps", static_cast<double>(frame_rate));
    // Only gl_init turns smoothing on again: it stays off for this window.
    if (too_slow_for_smoothing(scene.timing.rate)) glDisable(GL_LINE_SMOOTH);
  }
  glFinish();

  SteerPoint point;
  if (end_frame(scene.timing, performance_counter(), step, point)) {
    const PixelRect area = steering_area();
    steer(camera, point.x, point.y, area.width, area.height);
    recentre_cursor();
  }
}

void handle_input(int type, int button, int x, int y) {
  if (type == INPUT_MOVE) {
    steer(scene.camera, x - primary_area.left, y - primary_area.top, primary_area.width, primary_area.height);
    recentre_cursor();
  } else if (type == INPUT_KEY && button == kSpaceKey) {
    scene.show_rate ^= 1;
  }
}

void draw_text(float red, float green, float blue, float alpha, int x, int y, int base, const char* format, ...) {
  char text[256];
  va_list values;
  va_start(values, format);
  const int written = std::vsnprintf(text, sizeof text, format, values);
  va_end(values);
  if (written <= 0) return;

  glPushAttrib(GL_CURRENT_BIT | GL_LIST_BIT | GL_TRANSFORM_BIT);  // colour, raster position, list base, matrix mode
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0.0, window_width, 0.0, window_height);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor4f(red, green, blue, alpha);
  glRasterPos2i(x, y);
  glListBase(static_cast<GLuint>(base));
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}

}  // namespace tessarine::renderer
