// The live preview's window: a frame of the offscreen scene per timer tick,
// copied in on paint.
#include "win32_live_preview.h"

#include <cmath>

#include "win32_gdi.h"
#include "win32_window_class.h"

namespace tessarine::shell::dialog {
namespace {

constexpr wchar_t kClassName[] = L"Tessarine_LivePreview";
constexpr UINT_PTR kFrameTimer = 1;
// The frames drawn so far, as the renderer publishes its own.
constexpr wchar_t kFramesProperty[] = L"TessarineFrames";
constexpr COLORREF kSceneBackground = RGB(0, 26, 51);

}  // namespace

HWND LivePreview::create(HWND parent, int id, const RECT& area) {
  if (!register_window_class(kClassName, window_procedure, nullptr, nullptr)) return nullptr;
  window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, area.left, area.top, area.right - area.left,
                            area.bottom - area.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), this);
  return window_;
}

void LivePreview::start(const renderer::PictureOptions& options) {
  scene_.set_options(options);
  RECT client = {};
  if (!window_ || !GetClientRect(window_, &client) || !scene_.open(client.right, client.bottom)) return;
  arm_timer();
}

void LivePreview::show(const renderer::PictureOptions& options) {
  scene_.set_options(options);
  if (scene_.is_open()) arm_timer();  // the frame-rate limit may have changed
}

void LivePreview::pause(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  if (paused_ && window_) KillTimer(window_, kFrameTimer);
  if (!paused_ && scene_.is_open()) arm_timer();
}

// Whole milliseconds, rounded up, so that the limit is never passed; the
// timer may come later still, as the flight follows real time.
void LivePreview::arm_timer() {
  if (!window_ || paused_) return;
  const double period = scene_.frame_period();
  const UINT milliseconds = static_cast<UINT>(std::ceil(period > 0.0 ? period * 1000.0 : 1000.0 / 60.0));
  SetTimer(window_, kFrameTimer, milliseconds, nullptr);
}

void LivePreview::on_timer() {
  if (paused_ || !scene_.is_open()) return;
  scene_.draw_frame();
  ++frames_;
  SetPropW(window_, kFramesProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(frames_)));
  InvalidateRect(window_, nullptr, FALSE);
}

// The last frame, or the scene's background before the first one.
void LivePreview::on_paint() {
  gdi::PaintDc paint(window_);
  if (!paint.get()) return;
  RECT client = {};
  GetClientRect(window_, &client);
  if (const HBITMAP picture = scene_.picture(); picture && frames_ > 0) {
    gdi::MemoryDc source(paint.get());
    gdi::Selection selected(source.get(), picture);
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
    return;
  }
  const gdi::Brush background(CreateSolidBrush(kSceneBackground));
  FillRect(paint.get(), &client, background.get());
}

void LivePreview::on_destroy() {
  KillTimer(window_, kFrameTimer);
  RemovePropW(window_, kFramesProperty);
  scene_.close();
}

LRESULT CALLBACK LivePreview::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<LivePreview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_TIMER:
      if (wparam == kFrameTimer) self->on_timer();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      self->on_paint();
      return 0;
    case WM_DESTROY:
      self->on_destroy();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tessarine::shell::dialog
