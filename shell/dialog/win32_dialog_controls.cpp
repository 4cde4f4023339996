// Panel, label and image child windows of the settings dialog. Labels and
// images fill themselves with their container's retained picture first, so
// they look transparent over the painted background.
#include "win32_dialog_controls.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "win32_window_class.h"

namespace tessarine::shell::dialog {

namespace {

constexpr wchar_t kPanelClass[] = L"Tessarine_Panel";
constexpr wchar_t kLabelClass[] = L"Tessarine_Label";
constexpr wchar_t kImageClass[] = L"Tessarine_Image";
constexpr wchar_t kColourClass[] = L"Tessarine_Colour";
constexpr DWORD kFramed = 0x0001;  // a colour area's own style: a black frame

HCURSOR g_screen_pointer = nullptr;

struct LabelData {
  const LabelLook* look;
  const ControlEvents* events;
  bool held = false;
};

struct ImageData {
  HBITMAP picture = nullptr;
  const ControlEvents* events;
  Dpi dpi;
  bool held = false;
};

struct PanelData {
  const Surface* surface;
  RECT outline;
};

template <typename Data>
Data* data_of(HWND window) {
  return reinterpret_cast<Data*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Creation hands the data over; WM_NCDESTROY deletes it. (A window that
// fails before WM_NCCREATE leaves its few bytes behind, never a double free.)
// Also keeps the background from being erased: every control paints all of
// itself. True when the message was one of these.
template <typename Data>
bool handle_lifetime(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Data* data, LRESULT& result) {
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      result = DefWindowProcW(window, message, wparam, lparam);
      return true;
    }
    case WM_NCDESTROY:
      delete data;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      result = DefWindowProcW(window, message, wparam, lparam);
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    default:
      return false;
  }
}

bool set_pointer(HWND window, LPARAM lparam, HCURSOR own) {
  if (g_screen_pointer) {
    SetCursor(g_screen_pointer);
    return true;
  }
  if (own && LOWORD(lparam) == HTCLIENT) {
    SetCursor(own);
    return true;
  }
  (void)window;
  return false;
}

// Press and click tracking shared by labels and images.
template <typename Data>
bool handle_mouse(HWND window, UINT message, LPARAM lparam, Data* data) {
  const ControlEvents* events = data ? data->events : nullptr;
  switch (message) {
    case WM_LBUTTONDOWN:
      if (events && events->clicked) {
        data->held = true;
        SetCapture(window);
      }
      [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (events && events->pressed) events->pressed();
      return true;
    case WM_LBUTTONUP: {
      if (!data || !data->held) return true;
      data->held = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      const POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      if (PtInRect(&client, at) && events && events->clicked) events->clicked();
      return true;
    }
    case WM_CAPTURECHANGED:
      if (data) data->held = false;
      return true;
    default:
      return false;
  }
}

void paint_label(HWND window, HDC dc, const LabelLook& look) {
  RECT client;
  GetClientRect(window, &client);
  paint_container_background(window, dc);
  RECT text_area = client;
  if (look.border) {
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&text_area, -2, -2);
  }
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, text_area.left, text_area.top, text_area.right, text_area.bottom);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.colour);
  if (look.font) SelectObject(dc, look.font);
  DrawTextW(dc, text.c_str(), length, &text_area, look.format);
  RestoreDC(dc, saved);
}

// The picture's 96-dpi pixels scaled to the screen's, smoothly where the
// scale is not whole.
void paint_picture(HDC dc, HBITMAP picture, Dpi dpi) {
  BITMAP info = {};
  if (!GetObjectW(picture, sizeof info, &info)) return;
  const int width = to_pixels(to_twips(info.bmWidth, 96), dpi.x);
  const int height = to_pixels(to_twips(info.bmHeight, 96), dpi.y);
  gdi::MemoryDc source(dc);
  gdi::Selection selected(source.get(), picture);
  const bool whole = width % info.bmWidth == 0 && height % info.bmHeight == 0;
  const int previous = SetStretchBltMode(dc, whole ? COLORONCOLOR : HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SetStretchBltMode(dc, previous);
}

void paint_control(HWND window, HDC dc, const LabelData& data) { paint_label(window, dc, *data.look); }
void paint_control(HWND window, HDC dc, const ImageData& data) {
  paint_container_background(window, dc);
  if (data.picture) paint_picture(dc, data.picture, data.dpi);
}
HCURSOR own_pointer(const LabelData& data) { return data.look->cursor; }
HCURSOR own_pointer(const ImageData&) { return nullptr; }

// The labels' and the images' window procedure: they differ only in how they
// paint and in the pointer they show.
template <typename Data>
LRESULT CALLBACK pressable_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* data = data_of<Data>(window);
  if (LRESULT result = 0; handle_lifetime(window, message, wparam, lparam, data, result)) return result;
  if (handle_mouse(window, message, lparam, data)) return 0;
  switch (message) {
    case WM_PAINT: {
      gdi::PaintDc paint(window);
      if (data && paint.get()) paint_control(window, paint.get(), *data);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_SETCURSOR:
      if (set_pointer(window, lparam, data ? own_pointer(*data) : nullptr)) return TRUE;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void paint_panel(HDC dc, const PanelData& data) {
  if (data.surface) data.surface->show(dc);
  if (!IsRectEmpty(&data.outline)) FrameRect(dc, &data.outline, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// A standard check box of the panel draws its background with this brush:
// the panel's picture, its origin moved to the panel's so that the two meet.
LRESULT check_box_background(HWND panel, const PanelData* data, HDC dc, HWND control) {
  wchar_t class_name[8] = {};
  GetClassNameW(control, class_name, static_cast<int>(std::size(class_name)));
  const HBRUSH brush = data && data->surface ? data->surface->pattern() : nullptr;
  if (!brush || GetParent(control) != panel || lstrcmpiW(class_name, L"Button") != 0)
    return DefWindowProcW(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  POINT origin = {0, 0};
  MapWindowPoints(control, panel, &origin, 1);
  SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(brush);
}

LRESULT CALLBACK panel_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* data = data_of<PanelData>(window);
  if (LRESULT result = 0; handle_lifetime(window, message, wparam, lparam, data, result)) return result;
  switch (message) {
    case WM_COMMAND:
      return SendMessageW(GetParent(window), message, wparam, lparam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return check_box_background(window, data, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_PAINT: {
      gdi::PaintDc paint(window);
      if (data && paint.get()) paint_panel(paint.get(), *data);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (data) paint_panel(reinterpret_cast<HDC>(wparam), *data);
      return 0;
    case WM_SETCURSOR:
      if (set_pointer(window, lparam, nullptr)) return TRUE;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void paint_colour_area(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  gdi::Brush colour(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA))));
  if (colour) FillRect(dc, &client, colour.get());
  if (GetWindowLongPtrW(window, GWL_STYLE) & kFramed)
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// The colour is the window's user data.
LRESULT CALLBACK colour_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      gdi::PaintDc paint(window);
      if (paint.get()) paint_colour_area(window, paint.get());
      return 0;
    }
    case WM_SETCURSOR:
      if (set_pointer(window, lparam, nullptr)) return TRUE;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND create_child(const wchar_t* class_name, HWND parent, int id, const RECT& area, const wchar_t* text, DWORD style,
                  DWORD ex_style, void* data) {
  return CreateWindowExW(ex_style, class_name, text, WS_CHILD | WS_VISIBLE | style, area.left, area.top,
                         area.right - area.left, area.bottom - area.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), data);
}

// A left-aligned label grows to the width of its text where the font is
// wider than the layout foresaw (rounding at a large dpi, a substitute
// font), so that it keeps its last letters; it never shrinks.
void widen_to_text(HWND label, const std::wstring& text, const LabelLook& look) {
  gdi::WindowDc dc(label);
  if (!dc) return;
  gdi::Selection font(dc.get(), look.font);
  RECT needed = {};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed, look.format | DT_CALCRECT);
  RECT client = {};
  GetClientRect(label, &client);
  if (needed.right > client.right)
    SetWindowPos(label, nullptr, 0, 0, needed.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void Surface::paint_rows(int width, int height, Rgb (*colour)(int level)) {
  if (width <= 0 || height <= 0) return;
  const std::vector<int> levels = background_levels(height);
  if (levels.empty()) return;
  if (width != width_ || height != height_ || !picture_.bitmap()) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    gdi::Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture_.hold(std::move(bitmap), nullptr)) return;
    width_ = width;
    height_ = height;
  }
  DIBSECTION section = {};
  if (!GetObjectW(picture_.bitmap(), sizeof section, &section) || !section.dsBm.bmBits) return;
  pattern_.reset();  // made again from the new rows when next asked for
  GdiFlush();
  auto* pixels = static_cast<uint32_t*>(section.dsBm.bmBits);
  // Rows 0 to N; the row N lies just below a surface of N rows and is skipped.
  const size_t rows = std::min(levels.size(), static_cast<size_t>(height));
  for (size_t y = 0; y < rows; ++y) {
    const Rgb c = colour(levels[y]);
    const uint32_t value = static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b;
    std::fill_n(pixels + y * static_cast<size_t>(width), width, value);
  }
}

// A brush of its own copy of the rows, bottom row first as a packed DIB
// has them: it does not depend on the picture staying selected or unchanged.
HBRUSH Surface::pattern() const {
  if (pattern_) return pattern_.get();
  DIBSECTION section = {};
  if (!picture_.bitmap() || !GetObjectW(picture_.bitmap(), sizeof section, &section) || !section.dsBm.bmBits)
    return nullptr;
  GdiFlush();
  const size_t row = static_cast<size_t>(width_);
  std::vector<uint32_t> packed(sizeof(BITMAPINFOHEADER) / sizeof(uint32_t) + row * height_);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  std::memcpy(packed.data(), &header, sizeof header);
  const auto* rows = static_cast<const uint32_t*>(section.dsBm.bmBits);
  uint32_t* pixels = packed.data() + sizeof header / sizeof(uint32_t);
  for (int y = 0; y < height_; ++y)
    std::copy_n(rows + static_cast<size_t>(y) * row, row, pixels + static_cast<size_t>(height_ - 1 - y) * row);
  pattern_.reset(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
  return pattern_.get();
}

void Surface::show(HDC dc) const {
  if (!picture_.bitmap()) return;
  BitBlt(dc, 0, 0, width_, height_, picture_.dc(), 0, 0, SRCCOPY);
}

void paint_container_background(HWND child, HDC dc) {
  HWND parent = GetParent(child);
  if (!parent) return;
  POINT origin = {0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  POINT previous = {};
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void set_screen_pointer(HCURSOR cursor) { g_screen_pointer = cursor; }
HCURSOR screen_pointer() { return g_screen_pointer; }

void register_control_classes() {
  register_window_class(kPanelClass, panel_procedure);
  register_window_class(kLabelClass, pressable_procedure<LabelData>);
  register_window_class(kImageClass, pressable_procedure<ImageData>);
  register_window_class(kColourClass, colour_procedure);
}

HWND create_label(HWND parent, int id, const RECT& area, const std::wstring& text, const LabelLook* look,
                  const ControlEvents* events) {
  auto* data = new LabelData{look, events};
  HWND window = create_child(kLabelClass, parent, id, area, text.c_str(), 0, 0, data);
  if (window && !look->border && !(look->format & (DT_CENTER | DT_RIGHT))) widen_to_text(window, text, *look);
  return window;
}

HWND create_image(HWND parent, int id, const RECT& area, const ControlEvents* events, Dpi dpi) {
  auto* data = new ImageData{nullptr, events, dpi};
  HWND window = create_child(kImageClass, parent, id, area, L"", 0, 0, data);
  return window;
}

void set_image_picture(HWND image, HBITMAP picture) {
  auto* data = data_of<ImageData>(image);
  if (!data) return;
  data->picture = picture;
  InvalidateRect(image, nullptr, FALSE);
}

HBITMAP image_picture(HWND image) {
  auto* data = data_of<ImageData>(image);
  return data ? data->picture : nullptr;
}

HWND create_panel(HWND parent, int id, const RECT& area, const Surface* surface, const RECT& outline) {
  auto* data = new PanelData{surface, outline};
  HWND window =
      create_child(kPanelClass, parent, id, area, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, data);
  return window;
}

HWND create_colour_area(HWND parent, int id, const RECT& area, COLORREF colour, bool framed) {
  HWND window = create_child(kColourClass, parent, id, area, L"", framed ? kFramed : 0, 0, nullptr);
  if (window) set_area_colour(window, colour);
  return window;
}

void set_area_colour(HWND area, COLORREF colour) {
  SetWindowLongPtrW(area, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  InvalidateRect(area, nullptr, FALSE);
}

}  // namespace tessarine::shell::dialog
