// The `Command` button as a Win32 child window: a retained memory bitmap of
// the face that only DrawLook changes, the caption drawn over it at each
// paint, and the window messages translated into the platform-free state
// machine (command_state.h).
#include "win32_command_button.h"

#include <algorithm>
#include <utility>

#include "command_paint.h"
#include "win32_command_accessible.h"
#include "win32_command_paint.h"
#include "win32_dpi.h"
#include "win32_gdi.h"
#include "win32_window_class.h"

namespace tessarine::button {
namespace {

constexpr UINT_PTR kTmrMouse = 1;
constexpr UINT kPollMilliseconds = 100;

}  // namespace

// The retained face and what the caption label is drawn from.
struct Command::Surface {
  gdi::MemoryBitmap picture;  // the face as DrawLook drew it last
  SIZE size = {0, 0};

  CommandProperties properties;          // caption, colour, back style
  std::shared_ptr<const FontSpec> font;  // the label's font object
  gdi::Font font_handle;
  int label_top = 0;  // pixels
  bool loaded = false;

  // The picture's device context, the picture made anew when the client's
  // size has changed; null when there is none.
  HDC fit(HWND window, const RECT& client) {
    if (!picture.bitmap() || size.cx != client.right || size.cy != client.bottom) {
      gdi::WindowDc screen(window);
      gdi::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), std::max<LONG>(client.right, 1),
                                                std::max<LONG>(client.bottom, 1)));
      if (picture.hold(std::move(bitmap), screen.get())) size = {client.right, client.bottom};
    }
    return picture.dc();
  }
};

Command::Command(int index, FontSpec ambient)
    : index_(index), ambient_(std::move(ambient)), surface_(std::make_unique<Surface>()) {}

Command::~Command() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

std::unique_ptr<Command> Command::Create(HWND host, const RECT& area, const PropertyStore* stored, int index,
                                         const FontSpec* ambient) {
  // The class's procedure is the default one: each window is handed to
  // Procedure once its object is attached.
  if (!shell::register_window_class(kCommandClassIdentifier, DefWindowProcW)) return nullptr;
  std::unique_ptr<Command> command(new Command(index, ambient ? *ambient : ambient_font_of(host)));
  HWND window = CreateWindowExW(0, kCommandClassIdentifier, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                                area.left, area.top, area.right - area.left, area.bottom - area.top, host, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  command->window_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(command.get()));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Command::Procedure));

  Surface& s = *command->surface_;
  s.properties.Font = command->ambient_;
  if (stored) {
    command->ReadProperties(*stored);
  } else {
    // Placed fresh: off until Enabled is first read.
    command->state_.FirstRun = 0;
    command->state_.Enabled = false;
    command->ApplyFont();
  }
  s.loaded = true;
  command->ApplyCaption();
  command->ApplyEnabledLook();  // the first resize
  return command;
}

Command* Command::FromWindow(HWND window) {
  wchar_t class_name[32] = {};
  if (!GetClassNameW(window, class_name, 32) || lstrcmpW(class_name, kCommandClassIdentifier) != 0) return nullptr;
  return reinterpret_cast<Command*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK Command::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* command = reinterpret_cast<Command*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!command) return DefWindowProcW(window, message, wparam, lparam);
  return command->Handle(message, wparam, lparam);
}

LRESULT Command::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_PRINTCLIENT:
      OnPrintClient(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      if (surface_->loaded) ApplyEnabledLook();
      return 0;
    case WM_SETFOCUS:
      Show(FocusGained(state_));
      return 0;
    case WM_KILLFOCUS:
      Show(FocusLost(state_));
      return 0;
    case WM_MOUSEMOVE:
      Show(PointerMoved(state_));
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown(MouseButton::Left);
      return 0;
    case WM_RBUTTONDOWN:
      OnButtonDown(MouseButton::Right);
      return 0;
    case WM_MBUTTONDOWN:
      OnButtonDown(MouseButton::Middle);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(MouseButton::Left, wparam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(MouseButton::Right, wparam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(MouseButton::Middle, wparam);
      return 0;
    case WM_TIMER:
      if (wparam == kTmrMouse) OnPoll();
      return 0;
    case WM_GETDLGCODE:
      return OnGetDlgCode(reinterpret_cast<const MSG*>(lparam));
    case WM_KEYDOWN:
      OnKeyDown(wparam, lparam);
      return 0;
    case WM_KEYUP:
      if (wparam == VK_SPACE) RaiseClick(SpaceReleased(state_));
      return 0;
    case BM_CLICK:
      if (state_.Enabled) RaiseClick({std::nullopt, true});
      return 0;
    case WM_GETOBJECT:
      return answer_get_object(window_, wparam, lparam);
    case WM_NCDESTROY:
      return OnNcDestroy(wparam, lparam);
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

// The default processing still needs the handle: it is forgotten only after.
LRESULT Command::OnNcDestroy(WPARAM wparam, LPARAM lparam) {
  HWND window = std::exchange(window_, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return DefWindowProcW(window, WM_NCDESTROY, wparam, lparam);
}

void Command::OnPaint() {
  gdi::PaintDc paint(window_);
  if (!paint.get()) return;
  RECT client = {};
  GetClientRect(window_, &client);
  Paint(paint.get(), client);
}

void Command::OnPrintClient(HDC dc) {
  RECT client = {};
  GetClientRect(window_, &client);
  Paint(dc, client);
}

void Command::Paint(HDC dc, const RECT& client) {
  const Surface& s = *surface_;
  if (s.picture.bitmap()) BitBlt(dc, client.left, client.top, s.size.cx, s.size.cy, s.picture.dc(), 0, 0, SRCCOPY);
  const auto colour = static_cast<COLORREF>(s.properties.FontColour);
  paint_caption(dc, client, {s.properties.Caption, s.font_handle.get(), colour, state_.Enabled, s.label_top});
}

// Paints the face into the retained picture and shows it at once.
void Command::DrawLook(Look look) {
  if (!window_) return;
  const bool inverted = UpdateOrientation(state_);
  RECT client = {};
  GetClientRect(window_, &client);
  HDC face = surface_->fit(window_, client);
  if (!face) return;
  const shell::Dpi dpi = shell::screen_dpi();
  paint_face(face, client, look, inverted, dpi);
  surface_->label_top = shell::to_pixels(caption_top(shell::to_twips(client.bottom, dpi.y)), dpi.y);
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void Command::ApplyEnabledLook() { DrawLook(EnabledLook(state_)); }

// Normal again, while enabled; a button that has not yet run shows its caption black.
void Command::RefreshLook() {
  if (!state_.Enabled) return;
  if (state_.FirstRun == 0) surface_->properties.FontColour = 0;
  DrawLook(Look::Normal);
}

void Command::Show(std::optional<Look> look) {
  if (look) DrawLook(*look);
}

void Command::OnButtonDown(MouseButton button) {
  if (!state_.Enabled) return;
  // Focus is reported before the press, as a click on the button gives it focus.
  if (button == MouseButton::Left && GetFocus() != window_) SetFocus(window_);
  // Keeps the release coming after the pointer has left the button.
  SetCapture(window_);
  Show(ButtonPressed(state_, button));
}

void Command::OnButtonUp(MouseButton button, WPARAM held) {
  if (!(held & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == window_) ReleaseCapture();
  RaiseClick(ButtonReleased(state_, button));
}

// A push button in a dialog: Enter on it is its own click, not the dialog's
// default key; Escape, Tab and the rest stay the dialog's.
LRESULT Command::OnGetDlgCode(const MSG* message) {
  LRESULT code = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

// Enter clicks at its press, once however long it is held; Space presses and
// clicks at its release.
void Command::OnKeyDown(WPARAM key, LPARAM flags) {
  const bool repeated = (flags & (1 << 30)) != 0;
  if (key == VK_SPACE) Show(SpacePressed(state_));
  if (key == VK_RETURN && !repeated && state_.Enabled) RaiseClick({std::nullopt, true});
}

void Command::RaiseClick(const Release& release) {
  Show(release.paint);
  // Last, and through copies: the host may destroy this button from its handler.
  if (release.click && Click) {
    const ClickHandler handler = Click;
    handler(index_);
  }
}

void Command::OnPoll() {
  POINT pointer = {};
  if (!GetCursorPos(&pointer)) return;
  // Over the host, or over any other window but the button's own: left. The
  // caption has no window of its own, so it counts as the button.
  if (WindowFromPoint(pointer) != window_) Show(PointerLeft(state_));
}

void Command::Initialize() {
  Initialized(state_);
  if (window_) SetTimer(window_, kTmrMouse, kPollMilliseconds, nullptr);
}

void Command::MarkChanged(const char* key) {
  if (PropertyChanged) PropertyChanged(key);
}

void Command::ApplyFont() {
  Surface& s = *surface_;
  if (!s.font) s.font = std::make_shared<const FontSpec>(s.properties.Font);
  s.font_handle = make_font(*s.font);
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void Command::ApplyBackStyle() {
  if (!window_) return;
  // Transparent: the host shows through where the face would be. The window
  // owns the region once it is set; a refused one is ours to delete.
  if (surface_->properties.BackStyle == 0) {
    gdi::Region empty(CreateRectRgn(0, 0, 0, 0));
    if (empty && SetWindowRgn(window_, empty.get(), TRUE)) empty.release();
  } else {
    SetWindowRgn(window_, nullptr, TRUE);
  }
}

void Command::ReadProperties(const PropertyStore& store) {
  Surface& s = *surface_;
  read_properties(store, ambient_, state_, s.properties);
  if (!s.font || !(s.properties.Font == *s.font)) {
    s.font.reset();
    ApplyFont();
  }
  ApplyBackStyle();
  RefreshLook();
}

void Command::WriteProperties(PropertyStore& store) {
  CommandProperties written = surface_->properties;
  if (surface_->font) written.Font = *surface_->font;
  write_properties(state_, written, ambient_, store);
  RefreshLook();
}

std::wstring Command::Caption() const { return surface_->properties.Caption; }

void Command::SetCaption(const std::wstring& text) {
  surface_->properties.Caption = text;
  ApplyCaption();
  MarkChanged(kKeyCaption);
}

// The window's own text is the caption too, for WM_GETTEXT and screen readers.
void Command::ApplyCaption() {
  if (!window_) return;
  SetWindowTextW(window_, surface_->properties.Caption.c_str());
  InvalidateRect(window_, nullptr, FALSE);
}

// Reading Enabled, Visible or FontColour repaints: the button's stored
// behaviour, in which the first read of Enabled turns a fresh button on.
bool Command::Enabled() {
  if (state_.FirstRun == 0) {
    RefreshLook();
    state_.FirstRun = 1;
    state_.Enabled = true;
  }
  const bool enabled = state_.Enabled;
  ApplyEnabledLook();
  return enabled;
}

void Command::SetEnabled(bool enabled) {
  state_.Enabled = enabled;
  MarkChanged(kKeyEnabled);
  ApplyEnabledLook();
}

bool Command::Visible() {
  if (surface_->properties.BackStyle == 0) return false;
  RefreshLook();
  return true;
}

void Command::SetVisible(bool visible) {
  surface_->properties.BackStyle = visible ? 1 : 0;
  ApplyBackStyle();
  if (visible) RefreshLook();
  MarkChanged(kKeyVisible);
}

COLORREF Command::FontColour() {
  const COLORREF colour = static_cast<COLORREF>(surface_->properties.FontColour);
  RefreshLook();
  return colour;
}

void Command::SetFontColour(COLORREF colour) {
  surface_->properties.FontColour = static_cast<std::int32_t>(colour);
  if (window_) InvalidateRect(window_, nullptr, FALSE);
  RefreshLook();
  MarkChanged(kKeyFontColour);
}

std::shared_ptr<const FontSpec> Command::Font() const { return surface_->font; }

void Command::SetFont(std::shared_ptr<const FontSpec> font) {
  if (!font) return;
  surface_->font = std::move(font);
  surface_->properties.Font = *surface_->font;
  ApplyFont();
  MarkChanged(kKeyFont);
}

}  // namespace tessarine::button
