// The `Command` button as a Win32 child window: a retained memory bitmap that
// only DrawLook changes, the caption label drawn over it, and the window
// messages translated into the platform-free state machine.
#include "win32_command_button.h"

#include <cmath>

#include "command_paint.h"
#include "win32_command_accessible.h"
#include "win32_dpi.h"
#include "win32_gdi.h"
#include "win32_picture.h"
#include "win32_window_class.h"
#include "embedded.h"

TESSARINE_EMBEDDED(kLookNormal);
TESSARINE_EMBEDDED(kLookHighLight);
TESSARINE_EMBEDDED(kLookHighLightSelect);
TESSARINE_EMBEDDED(kLookSelected);
TESSARINE_EMBEDDED(kLookPressed);
TESSARINE_EMBEDDED(kLookDisable);

namespace tessarine::button {
namespace {

constexpr wchar_t kWindowClass[] = L"Tessarine.Command";
constexpr UINT_PTR kTmrMouse = 1;
constexpr UINT kPollMilliseconds = 100;

// The six pictures, decoded once for the process and kept for its life.
HBITMAP look_picture(Look look) {
  static gdi::Bitmap pictures[6];
  static bool decoded = false;
  if (!decoded) {
    decoded = true;
    const struct {
      const unsigned char* bytes;
      std::size_t size;
    } files[6] = {{kLookNormal, kLookNormal_size},       {kLookHighLight, kLookHighLight_size},
                  {kLookHighLightSelect, kLookHighLightSelect_size}, {kLookSelected, kLookSelected_size},
                  {kLookPressed, kLookPressed_size},     {kLookDisable, kLookDisable_size}};
    for (int i = 0; i < 6; ++i) pictures[i] = picture::decode(files[i].bytes, files[i].size);
  }
  return pictures[static_cast<int>(look)].get();
}

FontSpec font_spec_of(HFONT font) {
  FontSpec font_spec;
  LOGFONTW description = {};
  if (!font || !GetObjectW(font, sizeof description, &description)) return font_spec;
  font_spec.face = description.lfFaceName;
  const int height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
  if (height > 0) font_spec.points = std::round(height * 72.0 / shell::screen_dpi().y * 4) / 4;
  font_spec.weight = description.lfWeight ? static_cast<int>(description.lfWeight) : FW_NORMAL;
  font_spec.italic = description.lfItalic != 0;
  font_spec.underline = description.lfUnderline != 0;
  font_spec.strikethrough = description.lfStrikeOut != 0;
  font_spec.charset = description.lfCharSet;
  return font_spec;
}

FontSpec ambient_font_of(HWND host) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(host, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return font_spec_of(font);
}

gdi::Font make_font(const FontSpec& font_spec) {
  LOGFONTW description = {};
  description.lfHeight = -static_cast<LONG>(std::lround(font_spec.points * shell::screen_dpi().y / 72.0));
  description.lfWeight = font_spec.weight;
  description.lfItalic = font_spec.italic;
  description.lfUnderline = font_spec.underline;
  description.lfStrikeOut = font_spec.strikethrough;
  description.lfCharSet = static_cast<BYTE>(font_spec.charset);
  lstrcpynW(description.lfFaceName, font_spec.face.c_str(), LF_FACESIZE);
  return gdi::Font(CreateFontIndirectW(&description));
}

TRIVERTEX vertex(LONG x, LONG y, const GradientColour& colour) {
  TRIVERTEX v = {};
  v.x = x;
  v.y = y;
  v.Red = colour.red;
  v.Green = colour.green;
  v.Blue = colour.blue;
  v.Alpha = 0;
  return v;
}

}  // namespace

// The retained picture and the caption label LblMsg drawn above it.
struct Command::Surface {
  gdi::MemoryBitmap picture;
  SIZE size = {0, 0};

  CommandProperties properties;         // caption, colour, back style (Enabled and FirstRun live in the state)
  std::shared_ptr<const FontSpec> font;  // the label's font object
  gdi::Font font_handle;
  bool label_enabled = true;
  int label_top = 0;  // pixels
  bool loaded = false;
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
  if (!shell::register_window_class(kWindowClass, DefWindowProcW)) return nullptr;
  std::unique_ptr<Command> command(new Command(index, ambient ? *ambient : ambient_font_of(host)));
  command->host_ = host;
  HWND window = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
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
  if (!GetClassNameW(window, class_name, 32) || lstrcmpW(class_name, kWindowClass) != 0) return nullptr;
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
  Surface& s = *surface_;
  if (s.picture.bitmap()) BitBlt(paint.get(), 0, 0, s.size.cx, s.size.cy, s.picture.dc(), 0, 0, SRCCOPY);
  DrawCaption(paint.get());
}

void Command::DrawCaption(HDC dc) {
  Surface& s = *surface_;
  RECT client = {};
  GetClientRect(window_, &client);
  const int label_height = shell::to_pixels(kLabelHeight, shell::screen_dpi().y);
  RECT label = {0, s.label_top, client.right, s.label_top + label_height};
  gdi::Selection font(dc, s.font_handle.get());
  SetBkMode(dc, TRANSPARENT);
  const std::wstring& text = s.properties.Caption;
  if (s.label_enabled) {
    SetTextColor(dc, static_cast<COLORREF>(s.properties.FontColour) & 0xFFFFFF);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    return;
  }
  // The platform's disabled-text style, centred as the label centres.
  RECT extent = label;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
  const int width = extent.right - extent.left;
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()),
             (client.right - width) / 2, s.label_top, width, extent.bottom - extent.top, DST_PREFIXTEXT | DSS_DISABLED);
}

void Command::DrawLook(Look look) {
  if (!window_) return;
  Surface& s = *surface_;
  const bool inverted = UpdateOrientation(state_);
  RECT client = {};
  GetClientRect(window_, &client);
  const shell::Dpi dpi = shell::screen_dpi();
  const double width = shell::to_twips(client.right, dpi.x);
  const double height = shell::to_twips(client.bottom, dpi.y);

  // Clear: the surface follows the control's size.
  if (!s.picture.bitmap() || s.size.cx != client.right || s.size.cy != client.bottom) {
    gdi::WindowDc screen(window_);
    gdi::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), std::max<LONG>(client.right, 1),
                                              std::max<LONG>(client.bottom, 1)));
    if (s.picture.hold(std::move(bitmap), screen.get())) s.size = {client.right, client.bottom};
  }
  HDC surface = s.picture.dc();
  if (!surface) return;
  FillRect(surface, &client, GetSysColorBrush(COLOR_BTNFACE));

  FillGradient(inverted, client);

  gdi::MemoryDc picture_dc(surface);
  gdi::Selection picture(picture_dc.get(), look_picture(look));
  if (picture_dc && look_picture(look)) {
    SetStretchBltMode(surface, COLORONCOLOR);
    for (const auto& piece : frame_pieces(width, height, dpi)) {
      if (!piece) continue;
      const PixelRect& from = piece->source;
      const PixelRect& to = piece->destination;
      StretchBlt(surface, to.left, to.top, to.width, to.height, picture_dc.get(), from.left, from.top, from.width,
                 from.height, SRCCOPY);
    }
  }

  s.label_top = shell::to_pixels(caption_top(height), dpi.y);
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void Command::FillGradient(bool inverted, const RECT& client) {
  const FaceGradient colours = face_gradient(inverted);
  TRIVERTEX vertices[2] = {vertex(0, 0, colours.top),
                           vertex(static_cast<LONG>(client.right - 1), static_cast<LONG>(client.bottom - 1),
                                  colours.bottom)};
  GRADIENT_RECT rect = {0, 1};
  GradientFill(surface_->picture.dc(), vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void Command::ApplyEnabledLook() {
  surface_->label_enabled = state_.Enabled;
  DrawLook(EnabledLook(state_));
}

void Command::RefreshLook() {
  if (!state_.Enabled) return;
  surface_->label_enabled = true;
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
  state_.LookState = 1;
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
  CommandProperties read = s.properties;
  read.Enabled = state_.Enabled;
  read.FirstRun = state_.FirstRun;
  read_properties(store, ambient_, read);
  const bool font_changed = !s.font || !(read.Font == *s.font);
  s.properties = read;
  state_.Enabled = read.Enabled;
  state_.FirstRun = read.FirstRun;
  if (font_changed) {
    s.font.reset();
    ApplyFont();
  }
  ApplyBackStyle();
  RefreshLook();
}

void Command::WriteProperties(PropertyStore& store) {
  CommandProperties written = surface_->properties;
  written.Enabled = state_.Enabled;
  written.FirstRun = state_.FirstRun;
  if (surface_->font) written.Font = *surface_->font;
  write_properties(written, ambient_, store);
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
