// The renderer's window layer on Win32: the class "opengl demo", the
// full-screen window over every monitor and the 1024 x 768 window, both titled
// "Tessarine_VC", the message loop that draws a frame per refresh while anyone
// can see the window, and the window procedure that turns messages into the
// scene's input events and into who can see it.
#include "win32_window.h"

#include "end_on_input.h"
#include "frame_pacing.h"
#include "gl_scene.h"
#include "wgl_context.h"
#include "win32_pacing.h"
#include "win32_platform.h"
#include "window_layer.h"

namespace tessarine::renderer {
namespace {

constexpr int kWindowedWidth = 1024;
constexpr int kWindowedHeight = 768;

WindowDc device_context;
GlContext gl_context;
ViewerNotices viewer_notices;
FrameWait frame_wait;
FramePacer pacer;
bool running = false;
Visibility visibility;     // frames are drawn only while someone can see them; kept from one window to the next
bool switch_mode = false;  // set by Tab: the next window is in the other mode
bool fullscreen = false;   // the current window covers every monitor
EndOnInput end_on_input;   // which releases end the renderer; kept from one window to the next

double now_seconds() { return seconds_now(performance_counter()); }

// A refresh of the primary display, or longer under --max-fps.
double paced_period() { return frame_period(primary_refresh_rate(), scene.options.max_fps); }

// After a pause in drawing: the next frame comes at once, and the camera
// flies on from where it was.
void resume_drawing() {
  pacer.restart(now_seconds());
  resume_frames();
}

void change_visibility(const Visibility& next) {
  const bool seen_again = !visibility.can_be_seen() && next.can_be_seen();
  visibility = next;
  if (seen_again) resume_drawing();
}

// Client positions are two unsigned 16-bit words.
int client_x(LPARAM lparam) { return static_cast<int>(LOWORD(lparam)); }
int client_y(LPARAM lparam) { return static_cast<int>(HIWORD(lparam)); }

// The drawing area of width x height and the primary's part of it: all of
// it in the 1024 x 768 window, the primary's rectangle in the full-screen one.
void resize_view(HWND window, int width, int height) {
  window_width = width;
  window_height = height;
  primary_area = PixelRect{0, 0, width, height};
  Screens screens;
  if (fullscreen && read_screens(screens)) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    primary_area = primary_within(screens.primary, {origin.x, origin.y, width, height});
  }
  reshape();
}

LRESULT on_create(HWND window) {
  window_handle = window;
  gl_context.reset();
  const char* failed = make_gl_context(window, device_context, gl_context);
  if (!failed && gl_init() != 0) failed = "gl_init";
  if (failed) {
    report_failure(failed);
    PostQuitMessage(0);
    return 0;
  }
  ask_for_swap_per_refresh();
  viewer_notices.register_window(window);
  reshape();
  return 0;
}

LRESULT on_size(HWND window, WPARAM kind, LPARAM size) {
  change_visibility(after_size(visibility, static_cast<unsigned>(kind)));
  resize_view(window, client_x(size), client_y(size));
  return 0;
}

// A monitor came, went, moved or changed its resolution or refresh rate: the
// frames follow the new rate, and the full-screen window covers the new
// virtual screen. The view is found again even when the size stayed and no
// WM_SIZE came, as the primary may have moved within it.
LRESULT on_display_change(HWND window) {
  pacer.set_period(paced_period());
  resume_drawing();
  Screens screens;
  if (!fullscreen || !read_screens(screens)) return 0;
  SetWindowPos(window, nullptr, screens.all.left, screens.all.top, screens.all.width, screens.all.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  GetClientRect(window, &client);
  resize_view(window, client.right, client.bottom);
  return 0;
}

// The window was dragged or sized: the frames were held up meanwhile.
LRESULT on_exit_size_move() {
  resume_drawing();
  return 0;
}

// The console display went off, dimmed or came on again; or the system resumed.
LRESULT on_power_broadcast(WPARAM event, LPARAM data) {
  if (event == PBT_POWERSETTINGCHANGE) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    if (setting && IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) && setting->DataLength >= sizeof(DWORD)) {
      DWORD state = 0;
      CopyMemory(&state, setting->Data, sizeof state);
      change_visibility(after_display_state(visibility, state));
    }
  } else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) {
    resume_drawing();
  }
  return TRUE;
}

LRESULT on_session_change(WPARAM event) {
  change_visibility(after_session_event(visibility, static_cast<unsigned>(event)));
  return 0;
}

LRESULT on_close() {
  PostQuitMessage(1);  // the window goes at tear-down
  return 0;
}

// Keys act on release; a press is only noted.
LRESULT on_key_down(WPARAM key) {
  end_on_input.key_down(static_cast<int>(key));
  return 0;
}

LRESULT on_key_up(WPARAM key) {
  const bool ends = end_on_input.key_up(static_cast<int>(key));
  if (key == VK_TAB) {
    switch_mode = true;
    PostQuitMessage(1);
  } else if (key == VK_ESCAPE || ends) {
    PostQuitMessage(1);
  } else {
    handle_input(INPUT_KEY, static_cast<int>(key), -1, -1);
  }
  return 0;
}

// Alt, F10 and keys held with Alt: noted as any key, and left to the system
// as well (Alt+F4 closes).
LRESULT on_system_key_down(HWND window, WPARAM key, LPARAM lparam) {
  end_on_input.key_down(static_cast<int>(key));
  return DefWindowProcA(window, WM_SYSKEYDOWN, key, lparam);
}

LRESULT on_system_key_up(HWND window, WPARAM key, LPARAM lparam) {
  if (end_on_input.key_up(static_cast<int>(key))) PostQuitMessage(1);
  return DefWindowProcA(window, WM_SYSKEYUP, key, lparam);
}

// Starting a screen saver or powering the monitor down over the renderer is
// refused; the system keeps the low four bits for itself.
LRESULT on_system_command(HWND window, WPARAM command, LPARAM lparam) {
  const WPARAM kind = command & 0xFFF0;
  if (kind == SC_SCREENSAVE || kind == SC_MONITORPOWER) return 0;
  return DefWindowProcA(window, WM_SYSCOMMAND, command, lparam);
}

LRESULT on_mouse_move(WPARAM buttons, LPARAM position) {
  const int button = buttons == MK_LBUTTON ? 0 : buttons == MK_RBUTTON ? 1 : -1;
  handle_input(INPUT_MOVE, button, client_x(position), client_y(position));
  return 0;
}

LRESULT on_button_down(MouseButton button, LPARAM position) {
  end_on_input.button_down(button);
  handle_input(INPUT_PRESS, static_cast<int>(button), client_x(position), client_y(position));
  return 0;
}

LRESULT on_button_up(MouseButton button, LPARAM position) {
  if (end_on_input.button_up(button)) PostQuitMessage(1);
  handle_input(INPUT_RELEASE, static_cast<int>(button), client_x(position), client_y(position));
  return 0;
}

// The X buttons' messages name the button in the high word and want TRUE back.
MouseButton x_button(WPARAM wparam) { return HIWORD(wparam) == XBUTTON2 ? MouseButton::x2 : MouseButton::x1; }

LRESULT on_x_button_down(WPARAM wparam, LPARAM position) {
  on_button_down(x_button(wparam), position);
  return TRUE;
}

LRESULT on_x_button_up(WPARAM wparam, LPARAM position) {
  on_button_up(x_button(wparam), position);
  return TRUE;
}

// Handles one message taken from the queue; false for the quit message.
bool dispatch(const MSG& message, int& exit_code) {
  if (message.message == WM_QUIT) {
    exit_code = static_cast<int>(message.wParam);
    return false;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

void handle_waiting_messages(int& exit_code) {
  MSG message;
  while (running && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) running = dispatch(message, exit_code);
}

// Until the next frame is due, every message is handled as it arrives.
void wait_for_next_frame(int& exit_code) {
  double left = 0.0;
  while (running && visibility.can_be_seen() && (left = pacer.seconds_left(now_seconds())) > 0.0) {
    frame_wait.wait(left);
    handle_waiting_messages(exit_code);
  }
}

// The frames drawn so far, for those who watch the renderer draw.
void publish_frame_count(HWND window) {
  SetPropA(window, kFramesProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(scene.timing.frames_drawn)));
}

// Draws a frame per refresh while someone can see the window; otherwise
// (minimised, display off, session away from the console) it blocks in
// GetMessage at no cost.
int run_message_loop(HWND window) {
  int exit_code = 0;
  MSG message;
  running = true;
  while (running) {
    if (visibility.can_be_seen()) {
      draw_frame();
      SwapBuffers(device_context.get());
      publish_frame_count(window);
      pacer.frame_done(now_seconds());
      wait_for_next_frame(exit_code);
    } else if (GetMessageA(&message, nullptr, 0, 0) != -1) {
      running = dispatch(message, exit_code);
    }
    handle_waiting_messages(exit_code);
  }
  return exit_code;
}

void tear_down(HWND window) {
  wglMakeCurrent(nullptr, nullptr);
  device_context.reset();
  gl_context.reset();
  viewer_notices.reset();
  if (window) {
    RemovePropA(window, kFramesProperty);
    DestroyWindow(window);
  }
}

}  // namespace

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: return on_create(window);
    case WM_SIZE: return on_size(window, wparam, lparam);
    case WM_DISPLAYCHANGE: return on_display_change(window);
    case WM_EXITSIZEMOVE: return on_exit_size_move();
    case WM_POWERBROADCAST: return on_power_broadcast(wparam, lparam);
    case WM_WTSSESSION_CHANGE: return on_session_change(wparam);
    case WM_CLOSE: return on_close();
    case WM_KEYDOWN: return on_key_down(wparam);
    case WM_KEYUP: return on_key_up(wparam);
    case WM_SYSKEYDOWN: return on_system_key_down(window, wparam, lparam);
    case WM_SYSKEYUP: return on_system_key_up(window, wparam, lparam);
    case WM_SYSCOMMAND: return on_system_command(window, wparam, lparam);
    case WM_MOUSEMOVE: return on_mouse_move(wparam, lparam);
    case WM_LBUTTONDOWN: return on_button_down(MouseButton::left, lparam);
    case WM_RBUTTONDOWN: return on_button_down(MouseButton::right, lparam);
    case WM_MBUTTONDOWN: return on_button_down(MouseButton::middle, lparam);
    case WM_XBUTTONDOWN: return on_x_button_down(wparam, lparam);
    case WM_LBUTTONUP: return on_button_up(MouseButton::left, lparam);
    case WM_RBUTTONUP: return on_button_up(MouseButton::right, lparam);
    case WM_MBUTTONUP: return on_button_up(MouseButton::middle, lparam);
    case WM_XBUTTONUP: return on_x_button_up(wparam, lparam);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}

int run_renderer(HINSTANCE instance, int show_command, const PictureOptions& options) {
  if (gl_data(options) != 0) {
    report_failure("gl_data");
    return 0;
  }
  if (!register_window_class(instance, window_proc)) {
    report_failure("RegisterClassEx");
    return 0;
  }
  end_on_input = EndOnInput(options.end_on_input);
  frame_wait.open();
  pacer.set_period(paced_period());
  fullscreen = false;
  for (;;) {
    switch_mode = false;
    fullscreen = !fullscreen;
    // The windowed pass lets the system place its window on the primary monitor.
    PixelRect place{CW_USEDEFAULT, CW_USEDEFAULT, kWindowedWidth, kWindowedHeight};
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (fullscreen) {
      Screens screens;
      if (!read_screens(screens)) {
        report_failure("GetDC");
        return 0;
      }
      place = screens.all;  // on a single monitor, the screen itself
      style = WS_POPUP;
      primary_area = primary_within(screens.primary, screens.all);
    } else {
      primary_area = PixelRect{0, 0, kWindowedWidth, kWindowedHeight};
    }
    window_width = place.width;
    window_height = place.height;
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, style, place.left, place.top, place.width,
                                  place.height, nullptr, nullptr, instance, nullptr);
    if (!window) {
      report_failure("CreateWindowEx");
      tear_down(nullptr);
      return 0;
    }
    ShowWindow(window, show_command);
    // Keys go to the saver, not to the program the user left (the shell
    // allows this process to take the foreground).
    SetForegroundWindow(window);
    const int exit_code = run_message_loop(window);
    tear_down(window);
    if (!switch_mode) return exit_code;
  }
}

}  // namespace tessarine::renderer
