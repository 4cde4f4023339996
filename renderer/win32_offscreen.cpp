// The scene drawn offscreen on Win32: a hidden pop-up's GL context, a
// framebuffer object (GL_EXT_framebuffer_object) read back into a DIB
// section; and the window layer's services for it, which leave the cursor
// alone and steer over the primary screen.
#include <windows.h>

#include <GL/gl.h>

#include <cstring>

#include "frame_pacing.h"
#include "gl_scene.h"
#include "offscreen_scene.h"
#include "wgl_context.h"
#include "win32_platform.h"
#include "window_layer.h"

namespace tessarine::renderer {
namespace {

PixelRect primary_screen;  // the steering's area while a scene is open
const OffscreenScene* open_scene = nullptr;

constexpr char kHiddenClass[] = "tessarine offscreen";

// GL_EXT_framebuffer_object's names, which OpenGL 1.1's header lacks.
constexpr GLenum kFramebuffer = 0x8D40;             // GL_FRAMEBUFFER_EXT
constexpr GLenum kRenderbuffer = 0x8D41;            // GL_RENDERBUFFER_EXT
constexpr GLenum kColourAttachment = 0x8CE0;        // GL_COLOR_ATTACHMENT0_EXT
constexpr GLenum kFramebufferComplete = 0x8CD5;     // GL_FRAMEBUFFER_COMPLETE_EXT
constexpr GLenum kBgra = 0x80E1;                    // GL_BGRA_EXT: a DIB's byte order

using GenerateNames = void(APIENTRY*)(GLsizei, GLuint*);
using DeleteNames = void(APIENTRY*)(GLsizei, const GLuint*);
using BindName = void(APIENTRY*)(GLenum, GLuint);
using Store = void(APIENTRY*)(GLenum, GLenum, GLsizei, GLsizei);
using Attach = void(APIENTRY*)(GLenum, GLenum, GLenum, GLuint);
using CheckStatus = GLenum(APIENTRY*)(GLenum);

template <typename Function>
bool find(const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
  return function != nullptr;
}

bool has_extension(const char* name) {
  const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions && std::strstr(extensions, name) != nullptr;
}

// A framebuffer object with one RGBA8 colour renderbuffer, bound for drawing
// while it lives; deleted with its context current.
class Framebuffer {
 public:
  Framebuffer() = default;
  Framebuffer(const Framebuffer&) = delete;
  Framebuffer& operator=(const Framebuffer&) = delete;
  ~Framebuffer() {
    if (framebuffer_) {
      bind_framebuffer_(kFramebuffer, 0);
      delete_framebuffers_(1, &framebuffer_);
    }
    if (renderbuffer_) delete_renderbuffers_(1, &renderbuffer_);
  }

  // False where the extension is missing or the framebuffer is not complete.
  bool make(int width, int height) {
    if (!has_extension("GL_EXT_framebuffer_object") || !find("glGenFramebuffersEXT", generate_framebuffers_) ||
        !find("glDeleteFramebuffersEXT", delete_framebuffers_) || !find("glBindFramebufferEXT", bind_framebuffer_) ||
        !find("glGenRenderbuffersEXT", generate_renderbuffers_) ||
        !find("glDeleteRenderbuffersEXT", delete_renderbuffers_) ||
        !find("glBindRenderbufferEXT", bind_renderbuffer_) || !find("glRenderbufferStorageEXT", store_) ||
        !find("glFramebufferRenderbufferEXT", attach_) || !find("glCheckFramebufferStatusEXT", check_status_))
      return false;
    generate_framebuffers_(1, &framebuffer_);
    bind_framebuffer_(kFramebuffer, framebuffer_);
    generate_renderbuffers_(1, &renderbuffer_);
    bind_renderbuffer_(kRenderbuffer, renderbuffer_);
    store_(kRenderbuffer, GL_RGBA8, width, height);
    attach_(kFramebuffer, kColourAttachment, kRenderbuffer, renderbuffer_);
    return check_status_(kFramebuffer) == kFramebufferComplete;
  }

 private:
  GenerateNames generate_framebuffers_ = nullptr;
  DeleteNames delete_framebuffers_ = nullptr;
  BindName bind_framebuffer_ = nullptr;
  GenerateNames generate_renderbuffers_ = nullptr;
  DeleteNames delete_renderbuffers_ = nullptr;
  BindName bind_renderbuffer_ = nullptr;
  Store store_ = nullptr;
  Attach attach_ = nullptr;
  CheckStatus check_status_ = nullptr;
  GLuint framebuffer_ = 0;
  GLuint renderbuffer_ = 0;
};

void destroy_window(HWND window) { DestroyWindow(window); }
void delete_bitmap(HBITMAP bitmap) { DeleteObject(bitmap); }

}  // namespace

// The embedded window layer: no window of the user's, so no cursor to
// hide or move, and never in front.
PixelRect steering_area() { return primary_screen; }
void hide_cursor() {}
void set_cursor_client(int, int) {}
bool window_in_foreground() { return false; }

// Given back in reverse order: the picture, the framebuffer (with its context
// made current first), the context, the device context, the window.
struct OffscreenScene::Resources {
  ~Resources() {
    if (gl_context) wglMakeCurrent(device_context.get(), gl_context.get());
  }
  bool make(int width, int height);
  bool make_current() const {
    return wglGetCurrentContext() == gl_context.get() || wglMakeCurrent(device_context.get(), gl_context.get());
  }

  Owner<HWND, destroy_window> window;
  WindowDc device_context;
  GlContext gl_context;
  Framebuffer framebuffer;
  Owner<HBITMAP, delete_bitmap> picture;
  void* bits = nullptr;
  int width = 0;
  int height = 0;
};

bool OffscreenScene::Resources::make(int picture_width, int picture_height) {
  width = picture_width;
  height = picture_height;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  register_window_class(instance, DefWindowProcA, kHiddenClass);  // already there from an earlier open: fine
  window.reset(CreateWindowExA(0, kHiddenClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr));
  if (!window) return false;
  if (const char* failed = make_gl_context(window.get(), device_context, gl_context)) {
    report_failure(failed);
    return false;
  }
  if (!framebuffer.make(width, height)) {
    report_failure("framebuffer object");
    return false;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as glReadPixels gives the rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  picture.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  return picture && bits;
}

OffscreenScene::OffscreenScene() = default;

OffscreenScene::~OffscreenScene() { close(); }

bool OffscreenScene::open(int width, int height) {
  close();
  if (open_scene || width <= 0 || height <= 0) return false;
  auto made = std::make_unique<Resources>();
  if (!made->make(width, height)) return false;
  resources_ = std::move(made);
  open_scene = this;

  window_width = width;
  window_height = height;
  primary_area = PixelRect{0, 0, width, height};
  Screens screens;
  primary_screen = read_screens(screens) ? screens.primary : primary_area;
  gl_data(scene.options);
  gl_init();
  reshape();
  // The saver places the pointer a third of the way into the screen, and the
  // move it makes there sets the flight off: here that first steer is given.
  steer(scene.camera, primary_screen.width / 3, primary_screen.height / 3, primary_screen.width,
        primary_screen.height);
  return true;
}

void OffscreenScene::close() {
  if (!resources_) return;
  resources_.reset();
  open_scene = nullptr;
}

void OffscreenScene::set_options(const PictureOptions& options) { change_options(options); }

void OffscreenScene::draw_frame() {
  if (!resources_ || !resources_->make_current()) return;
  renderer::draw_frame();
  GdiFlush();  // GDI is done with the bits before GL writes them
  glReadPixels(0, 0, resources_->width, resources_->height, kBgra, GL_UNSIGNED_BYTE, resources_->bits);
}

HBITMAP OffscreenScene::picture() const { return resources_ ? resources_->picture.get() : nullptr; }

double OffscreenScene::frame_period() const {
  return renderer::frame_period(primary_refresh_rate(), scene.options.max_fps);
}

}  // namespace tessarine::renderer
