// The OpenGL context on a renderer window: pixel format, WGL context, glyph lists.
#include "wgl_context.h"

#include <GL/gl.h>

namespace tessarine::renderer {
namespace {

constexpr GLsizei kTextLists = 255;  // one display list per character code 1 to 255

PIXELFORMATDESCRIPTOR requested_format() {
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 16;
  format.cDepthBits = 16;
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

// Code c draws its glyph at the raster position and advances it, as list c, so
// that the scene's text (list base 0) reads. A missing font leaves the lists
// empty: the text is then simply not seen.
void fill_text_lists(HDC dc) {
  const Font font(CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
  const Selection selected(dc, font.get());
  // Unicode code points 1 to 255 are Latin-1 whatever the ANSI code page.
  wglUseFontBitmapsW(dc, 1, kTextLists, 1);
  // An empty glyph may come out without its advance (so under Wine): the space
  // is compiled again as a blank bitmap as wide as the font's space.
  SIZE space = {};
  if (GetTextExtentPoint32W(dc, L" ", 1, &space) && space.cx > 0) {
    static const GLubyte blank[4] = {};
    glNewList(' ', GL_COMPILE);
    glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(space.cx), 0.0f, blank);
    glEndList();
  }
}

}  // namespace

const char* make_gl_context(HWND window, WindowDc& device_context, GlContext& gl_context) {
  device_context = WindowDc(window);
  if (!device_context) return "GetDC";
  const PIXELFORMATDESCRIPTOR format = requested_format();
  const int index = ChoosePixelFormat(device_context.get(), &format);
  if (index == 0) return "ChoosePixelFormat";
  if (!SetPixelFormat(device_context.get(), index, &format)) return "SetPixelFormat";
  gl_context.reset(wglCreateContext(device_context.get()));
  if (!gl_context) return "wglCreateContext";
  if (!wglMakeCurrent(device_context.get(), gl_context.get())) return "wglMakeCurrent";
  glGenLists(kTextLists);
  fill_text_lists(device_context.get());
  return nullptr;
}

void ask_for_swap_per_refresh() {
  using SwapInterval = BOOL(WINAPI*)(int);
  const PROC found = wglGetProcAddress("wglSwapIntervalEXT");
  if (found) reinterpret_cast<SwapInterval>(reinterpret_cast<void*>(found))(1);
}

}  // namespace tessarine::renderer
