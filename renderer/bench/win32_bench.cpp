// Benchmark of the renderer's frame: the same scene, context set-up and swap as
// Tessarine.dll, for a given number of frames in a pop-up of a given size, or
// over a row of such monitors side by side (the first one the primary), drawn
// as the full-screen window draws them: one pass, one off-axis projection.
// Drawn flat out, or held to a given rate by a plain sleep (the bare loop the
// renderer's own pacing is measured against), with the renderer's picture
// options after the numbers. It also watches a running renderer: its frames
// per second, from the frame count on its window.
//   tessarine_renderer_bench [frames] [width] [height] [monitors] [options]  flat out
//   tessarine_renderer_bench --held FPS [frames] [width] [height] [options]  held to FPS
//   tessarine_renderer_bench --watch SECONDS                          the running renderer
//   tessarine_renderer_bench --post minimise|escape                   to the running renderer
#include <windows.h>

#include <GL/gl.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gl_scene.h"
#include "picture_options.h"
#include "wgl_context.h"
#include "win32_platform.h"
#include "window_layer.h"

namespace tessarine::renderer {
namespace {

double seconds_of(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e7;
}

struct CpuTimes {
  double user = 0;
  double kernel = 0;
};

CpuTimes process_times() {
  FILETIME created, ended, kernel, user;
  CpuTimes times;
  if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) {
    times.user = seconds_of(user);
    times.kernel = seconds_of(kernel);
  }
  return times;
}

double now_seconds() { return seconds_now(performance_counter()); }

// Waits out the rest of each 1 / fps seconds with Sleep, as a plain loop
// would; late frames are not caught up.
class HeldRate {
 public:
  explicit HeldRate(int fps) : period_(fps > 0 ? 1.0 / fps : 0.0), due_(now_seconds()) {}
  void wait() {
    if (period_ == 0.0) return;
    due_ += period_;
    const double left = due_ - now_seconds();
    if (left > 0.0) {
      Sleep(static_cast<DWORD>(left * 1000.0 + 0.5));
    } else {
      due_ = now_seconds();
    }
  }

 private:
  double period_;
  double due_;
};

void pump_messages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Input is left out: only the automatic steering moves the camera.
LRESULT CALLBACK bench_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_MOUSEMOVE || message == WM_KEYUP) return 0;
  return DefWindowProcA(window, message, wparam, lparam);
}

// A class of its own, so that nothing takes the bench's window for the renderer's.
constexpr char kBenchClass[] = "tessarine bench";

int run(int frames, int width, int height, int monitors, int held_fps, const PictureOptions& options) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  register_window_class(instance, bench_proc, kBenchClass);
  window_width = width * monitors;
  window_height = height;
  primary_area = PixelRect{0, 0, width, height};
  window_handle = CreateWindowExA(0, kBenchClass, "Tessarine bench", WS_POPUP | WS_VISIBLE, 0, 0, window_width,
                                  window_height, nullptr, nullptr, instance, nullptr);
  if (!window_handle) {
    std::fprintf(stderr, "no window\n");
    return 2;
  }
  WindowDc device_context;
  GlContext gl_context;
  if (const char* failed = make_gl_context(window_handle, device_context, gl_context)) {
    std::fprintf(stderr, "context set-up failed at %s\n", failed);
    DestroyWindow(window_handle);
    return 2;
  }
  gl_data(options);
  gl_init();
  reshape();
  pump_messages();

  const CpuTimes cpu_before = process_times();
  const double wall_before = now_seconds();
  HeldRate held(held_fps);
  for (int i = 0; i < frames; ++i) {
    draw_frame();
    SwapBuffers(device_context.get());
    pump_messages();
    held.wait();
  }
  const double wall = now_seconds() - wall_before;
  const CpuTimes cpu_after = process_times();

  const double user = cpu_after.user - cpu_before.user;
  const double kernel = cpu_after.kernel - cpu_before.kernel;
  RECT client = {};
  GetClientRect(window_handle, &client);
  std::printf("frames %d on %d monitor(s) of %d x %d (drawn %ld x %ld) in %.3f s\n", frames, monitors, width, height,
              client.right, client.bottom, wall);
  std::printf("frames per second: %.1f (the scene's last measurement: %.1f)\n", frames / wall,
              static_cast<double>(scene.timing.rate.frame_rate));
  std::printf("CPU per frame: %.2f ms (user %.2f, kernel %.2f)\n", (user + kernel) * 1000.0 / frames,
              user * 1000.0 / frames, kernel * 1000.0 / frames);
  std::printf("CPU-seconds per second: %.3f\n", (user + kernel) / wall);
  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  wglMakeCurrent(nullptr, nullptr);
  device_context.reset();
  gl_context.reset();
  DestroyWindow(window_handle);
  return 0;
}

HWND wait_for_renderer() {
  for (int i = 0; i < 300; ++i) {
    if (HWND window = FindWindowA(kWindowClass, kWindowTitle)) return window;
    Sleep(100);
  }
  return nullptr;
}

long long frames_of(HWND window) { return static_cast<long long>(reinterpret_cast<INT_PTR>(GetPropA(window, kFramesProperty))); }

int watch(double seconds) {
  HWND window = wait_for_renderer();
  if (!window) {
    std::fprintf(stderr, "no renderer window\n");
    return 2;
  }
  const long long frames_before = frames_of(window);
  const double before = now_seconds();
  Sleep(static_cast<DWORD>(seconds * 1000.0));
  const long long frames = frames_of(window) - frames_before;
  const double wall = now_seconds() - before;
  if (!GetPropA(window, kFramesProperty)) {  // an older renderer
    std::printf("frames per second: unknown (no frame count on the window)\n");
  } else {
    std::printf("frames per second: %.1f (%lld frames in %.2f s)\n", frames / wall, frames, wall);
  }
  return 0;
}

int post(const char* what) {
  HWND window = wait_for_renderer();
  if (!window) return 2;
  if (std::strcmp(what, "minimise") == 0) return PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 2;
  if (std::strcmp(what, "escape") == 0) return PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0xC0000001) ? 0 : 2;
  return 2;
}

}  // namespace
}  // namespace tessarine::renderer

int main(int argc, char** argv) {
  using namespace tessarine::renderer;
  if (argc == 3 && std::strcmp(argv[1], "--watch") == 0) return watch(std::atof(argv[2]));
  if (argc == 3 && std::strcmp(argv[1], "--post") == 0) return post(argv[2]);
  int held_fps = 0;
  if (argc > 2 && std::strcmp(argv[1], "--held") == 0) {
    held_fps = std::atoi(argv[2]);
    argv += 2;
    argc -= 2;
  }
  int numbers = 1;  // the picture's options follow the numbers
  while (numbers < argc && std::strncmp(argv[numbers], "--", 2) != 0) ++numbers;
  const int frames = numbers > 1 ? std::atoi(argv[1]) : 1000;
  const int width = numbers > 2 ? std::atoi(argv[2]) : 1280;
  const int height = numbers > 3 ? std::atoi(argv[3]) : 720;
  const int monitors = numbers > 4 ? std::atoi(argv[4]) : 1;
  const PictureOptions options = read_options(std::vector<std::string>(argv + numbers, argv + argc));
  if (frames <= 0 || width <= 0 || height <= 0 || monitors <= 0 || held_fps < 0) {
    std::fprintf(stderr,
                 "usage: tessarine_renderer_bench [--held FPS] [frames] [width] [height] [monitors] [options]\n"
                 "       tessarine_renderer_bench --watch SECONDS | --post minimise|escape\n");
    return 2;
  }
  if (held_fps > 0) timeBeginPeriod(1);  // Sleep to the millisecond
  const int result = run(frames, width, height, monitors, held_fps, options);
  if (held_fps > 0) timeEndPeriod(1);
  return result;
}
