// The preview window "Tessarine_R": a still picture of the grid inside the
// window that Windows names on the command line.
#include "win32_preview_window.h"

#include <algorithm>
#include <memory>

#include "preview_layout.h"
#include "win32_dpi.h"
#include "win32_gdi.h"
#include "win32_picture.h"
#include "win32_program.h"
#include "win32_window_class.h"
#include "embedded.h"

TESSARINE_EMBEDDED(kPreviewGridJpeg);
TESSARINE_EMBEDDED(kPreviewBackgroundJpeg);

namespace tessarine::shell {
namespace {

constexpr wchar_t kClassName[] = L"Tessarine_R";
constexpr wchar_t kCaption[] = L"Preview Window";
// Img_Prev at load: 2280 x 1680 twips, 152 x 112 pixels at 15 twips per pixel.
constexpr int kPictureWidth = 152;
constexpr int kPictureHeight = 112;

struct PreviewWindow {
  gdi::Bitmap background;  // the window's background picture, drawn from its top-left corner
  gdi::Bitmap image;       // Img_Prev's picture, stretched over its area
  RECT image_area = {0, 0, kPictureWidth, kPictureHeight};  // Img_Prev, client pixels
  void (*on_unload)() = nullptr;
};

PreviewWindow* state_of(HWND window) {
  return reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Draws `bitmap` at its own size from (x, y), clipped to `clip`.
void draw_natural(HDC dc, HBITMAP bitmap, int x, int y, const RECT& clip) {
  if (!bitmap) return;
  const SIZE size = picture::size_of(bitmap);
  const int right = std::min<LONG>(x + size.cx, clip.right);
  const int bottom = std::min<LONG>(y + size.cy, clip.bottom);
  if (right <= x || bottom <= y) return;
  gdi::MemoryDc source(dc);
  gdi::Selection selected(source.get(), bitmap);
  BitBlt(dc, x, y, right - x, bottom - y, source.get(), 0, 0, SRCCOPY);
}

// Draws `bitmap` over the whole of `area`, smoothly scaled.
void draw_stretched(HDC dc, HBITMAP bitmap, const RECT& area) {
  if (!bitmap || IsRectEmpty(&area)) return;
  const SIZE size = picture::size_of(bitmap);
  gdi::MemoryDc source(dc);
  gdi::Selection selected(source.get(), bitmap);
  const int previous = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), 0, 0, size.cx,
             size.cy, SRCCOPY);
  SetStretchBltMode(dc, previous);
}

// Black background colour, the background picture, then Img_Prev above it:
// its picture fills the control, whatever the preview area's size, so no
// black band shows beside a picture drawn at its own size.
void paint(HDC dc, const RECT& client, const PreviewWindow& preview) {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  draw_natural(dc, preview.background.get(), 0, 0, client);
  draw_stretched(dc, preview.image.get(), preview.image_area);
}

LRESULT on_paint(HWND window, const PreviewWindow& preview) {
  gdi::PaintDc dc(window);
  RECT client = {};
  GetClientRect(window, &client);
  paint(dc.get(), client, preview);
  return 0;
}

LRESULT on_print_client(HWND window, HDC dc, const PreviewWindow& preview) {
  RECT client = {};
  GetClientRect(window, &client);
  paint(dc, client, preview);
  return 0;
}

// The unload: queue a close to the window's own handle (it finds the window
// gone) and let the unload finish; the owner then decides what ends.
LRESULT on_destroy(HWND window, PreviewWindow* preview) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (preview && preview->on_unload) preview->on_unload();
  return 0;
}

LRESULT on_nc_destroy(HWND window, PreviewWindow* preview) {
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  delete preview;
  return DefWindowProcW(window, WM_NCDESTROY, 0, 0);
}

// The window takes its state over from the creator's owner here, so that
// WM_NCDESTROY alone frees it, also when the creation fails after this.
void on_nc_create(HWND window, const CREATESTRUCTW& create) {
  auto* owner = static_cast<std::unique_ptr<PreviewWindow>*>(create.lpCreateParams);
  if (owner) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) on_nc_create(window, *reinterpret_cast<CREATESTRUCTW*>(lparam));
  PreviewWindow* preview = state_of(window);
  if (!preview) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: return on_paint(window, *preview);
    case WM_PRINTCLIENT: return on_print_client(window, reinterpret_cast<HDC>(wparam), *preview);
    case WM_DESTROY: return on_destroy(window, preview);
    case WM_NCDESTROY: return on_nc_destroy(window, preview);
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

// Loads Tessarine_R hidden: a top-level window with no border and no caption
// bar, holding its two pictures.
HWND load_window(void (*on_unload)()) {
  if (!register_window_class(kClassName, window_proc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))))
    return nullptr;
  auto preview = std::make_unique<PreviewWindow>();
  preview->background = picture::decode(kPreviewBackgroundJpeg, kPreviewBackgroundJpeg_size);
  preview->image = picture::decode(kPreviewGridJpeg, kPreviewGridJpeg_size);
  preview->on_unload = on_unload;
  HWND window = CreateWindowExW(0, kClassName, kCaption, WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, kPictureWidth,
                                kPictureHeight, nullptr, nullptr, program_instance(), &preview);
  if (!window) return nullptr;
  // An overlapped window is given a caption bar on creation; the form has none.
  SetWindowLongW(window, GWL_STYLE, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  SetWindowLongW(window, GWL_EXSTYLE, 0);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return window;
}

}  // namespace

HWND build_preview_window(HWND parent, void (*on_unload)()) {
  // A preview area that is already gone (or a handle that never named one)
  // would leave an invisible window and a program that never ends.
  if (!IsWindow(parent)) return nullptr;
  RECT parent_rect = {};
  if (!GetWindowRect(parent, &parent_rect)) parent_rect = RECT{};
  const PreviewGeometry geometry = preview_geometry(parent_rect.left, parent_rect.top, parent_rect.right,
                                                    parent_rect.bottom, screen_dpi());
  HWND window = load_window(on_unload);
  if (!window) return nullptr;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  SetWindowLongW(window, GWL_STYLE, style | WS_CHILD);
  if (!SetParent(window, parent)) {
    // The parent went between the check above and here.
    DestroyWindow(window);
    return nullptr;
  }
  MoveWindow(window, 0, 0, geometry.window_width, geometry.window_height, TRUE);
  if (PreviewWindow* preview = state_of(window))
    preview->image_area = RECT{0, 0, geometry.image_width, geometry.image_height};
  ShowWindow(window, SW_SHOW);
  return window;
}

}  // namespace tessarine::shell
