// The settings dialog "<Tessarine>" (Tessarine_P): the music kind chosen by
// mark or label, the repeat track, the file picker, the picture group, the
// web address, OK and Cancel over a painted background. Shown modally in
// configure mode.
#include "win32_settings_dialog.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "dialog_layout.h"
#include "dialog_state.h"
#include "shell_module.h"
#include "win32_code_page.h"
#include "win32_dialog_build.h"
#include "win32_dpi.h"
#include "win32_file_picker.h"
#include "win32_picture_group.h"
#include "win32_program.h"
#include "win32_settings_file.h"
#include "win32_window_class.h"
#include "win32_zoom.h"
#include "window_titles.h"

namespace tessarine::shell {

namespace dialog {
namespace {

constexpr wchar_t kClassName[] = L"Tessarine_P";
// Posted by an unload so that a button's Click handler returns before the
// window (and the button with it) is destroyed.
constexpr UINT kDestroyMessage = WM_APP + 1;

std::wstring text_of(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

class SettingsDialog {
 public:
  explicit SettingsDialog(StartupModule& module);
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;
  ~SettingsDialog() {
    controls_.commands.clear();
    if (window_) DestroyWindow(window_);
  }

  bool create();
  void load();
  void show();
  HWND window() const { return window_; }
  bool gone() const { return gone_; }

 private:
  static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

  void fit_client_area(int width, int height);

  LRESULT on_nc_destroy(WPARAM wparam, LPARAM lparam);
  void on_resize();
  void on_paint();
  void on_activate(bool active);
  void on_command(WORD id, WORD code);
  void show_marks(std::optional<int> selected);
  void apply_enabling();
  void set_file_button_enabled(bool enabled);
  void select_kind(int kind);
  void choose_file(int index);
  void accept();
  void unload();
  void open_web_address();

  StartupModule& module_;
  DialogState state_;
  PictureGroup picture_;
  HWND window_ = nullptr;
  bool unloading_ = false;
  bool gone_ = false;
  Dpi dpi_;

  Surface background_;
  Surface panel_background_;
  DialogResources resources_;
  DialogEvents events_;
  DialogControls controls_;
  AccessibleNames names_;
  HWND focus_ = nullptr;  // the control that had the focus when the dialog was last left
};

SettingsDialog::SettingsDialog(StartupModule& module)
    : module_(module), state_(module.settings), picture_(module.settings.picture) {
  for (int kind = 0; kind < kKindCount; ++kind) events_.kinds[kind].pressed = [this, kind] { select_kind(kind); };
  events_.url.clicked = [this] { open_web_address(); };
  events_.file_button = [this](int index) { choose_file(index); };
  events_.set = [this](int) { accept(); };
  events_.cancel = [this](int) { unload(); };
  events_.colour = [this](int) {
    if (!unloading_) picture_.choose_colour();
  };
  events_.defaults = [this](int) {
    if (!unloading_) picture_.restore_defaults();
  };
}

LRESULT CALLBACK SettingsDialog::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<SettingsDialog*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->handle(message, wparam, lparam);
}

LRESULT SettingsDialog::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      picture_.pause_preview(wparam == SIZE_MINIMIZED);
      on_resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      on_paint();
      return 0;
    case WM_PRINTCLIENT:
      background_.show(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETCURSOR:
      if (screen_pointer()) {
        SetCursor(screen_pointer());
        return TRUE;
      }
      break;
    case WM_COMMAND:
      on_command(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
      on_activate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      unload();
      return 0;
    case kDestroyMessage:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      gone_ = true;
      return 0;
    case WM_NCDESTROY:
      return on_nc_destroy(wparam, lparam);
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

// The default processing still needs the handle: it is forgotten only after.
LRESULT SettingsDialog::on_nc_destroy(WPARAM wparam, LPARAM lparam) {
  HWND window = std::exchange(window_, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return DefWindowProcW(window, WM_NCDESTROY, wparam, lparam);
}

bool SettingsDialog::create() {
  register_control_classes();
  // A grey background, RGB(128, 128, 128), until the first paint.
  register_window_class(kClassName, window_procedure, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  dpi_ = screen_dpi();

  // A fixed single border with a title bar; the client area is laid out in
  // twips. It can be minimised, and the live preview then rests.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const int client_width = shell::to_pixels(kClientWidthTwips, dpi_.x);
  const int client_height = shell::to_pixels(kClientHeightTwips, dpi_.y);
  RECT outer = {0, 0, client_width, client_height};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  CreateWindowExW(0, kClassName, kSettingsTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                  outer.bottom - outer.top, nullptr, nullptr, program_instance(), this);
  if (!window_) return false;
  fit_client_area(client_width, client_height);

  load_resources(window_, dpi_, resources_);
  controls_ = build_controls(window_, dpi_, resources_, &panel_background_, events_, picture_, names_);
  return true;
}

// Where the frame differs from what AdjustWindowRectEx foresaw, the window
// grows or shrinks until the client area has the laid-out size.
void SettingsDialog::fit_client_area(int width, int height) {
  RECT client = {};
  GetClientRect(window_, &client);
  if (client.right == width && client.bottom == height) return;
  RECT frame = {};
  GetWindowRect(window_, &frame);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
               frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::load() {
  const SettingsRecord& record = state_.record();

  // Centred horizontally, a third of the free height from the top, measured
  // on the outer window.
  RECT outer = {};
  if (GetWindowRect(window_, &outer)) {
    const Point at = centred_position(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                      outer.right - outer.left, outer.bottom - outer.top, dpi_);
    SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Every button control starts its pointer poll.
  for (const std::unique_ptr<button::Command>& command : controls_.commands) command->Initialize();
  // The marks, and the enabling that follows the loaded kind.
  HWND repeat = controls_.repeat;
  if (repeat) EnableWindow(repeat, FALSE);
  apply_enabling();
  // The repeat text first, then the list, which leaves the text alone.
  if (repeat) {
    SetWindowTextW(repeat, repeat_text(record.BgmRepeat).c_str());
    for (const std::wstring& entry : repeat_list())
      SendMessageW(repeat, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  if (controls_.file_label) SetWindowTextW(controls_.file_label, shown_music_path(record.BgmFile).c_str());
  picture_.load();
  set_zoom_anchor(module_);
  ZoomOpen(window_, module_);
  set_screen_pointer(nullptr);
}

void SettingsDialog::show() {
  on_resize();  // the background is painted when the dialog is first displayed
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  if (GetFocus() != window_ && IsChild(window_, GetFocus())) return;
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
}

void SettingsDialog::on_resize() {
  RECT client = {};
  GetClientRect(window_, &client);
  background_.paint_rows(client.right, client.bottom, dialog_colour);
  if (controls_.panel) {
    RECT panel_client = {};
    GetClientRect(controls_.panel, &panel_client);
    panel_background_.paint_rows(panel_client.right, panel_client.bottom, panel_colour);
  }
  picture_.paint_background();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Leaving the dialog (for the file picker, say) and coming back keeps the
// control that had the focus, as a dialog does; a plain window would take the
// focus itself.
void SettingsDialog::on_activate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) focus_ = focus;
    return;
  }
  if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_) && IsChild(window_, focus_)) {
    SetFocus(focus_);
  } else if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
    SetFocus(first);
  }
}

// Enter and Escape reach the dialog as IDOK and IDCANCEL, wherever the focus
// is but on a button (which clicks itself): Enter is OK, Escape is Cancel.
// The panels pass their controls' notifications on to here.
void SettingsDialog::on_command(WORD id, WORD code) {
  if (id == IDOK) accept();
  if (id == IDCANCEL) unload();
  if (!unloading_) picture_.on_command(id, code);
}

void SettingsDialog::on_paint() {
  gdi::PaintDc paint(window_);
  if (paint.get()) background_.show(paint.get());
}

void SettingsDialog::show_marks(std::optional<int> selected) {
  const std::array<HWND, 2>& sources = controls_.mark_sources;
  const HBITMAP unselected = sources[0] ? image_picture(sources[0]) : nullptr;
  const HBITMAP chosen = sources[1] ? image_picture(sources[1]) : nullptr;
  for (HWND mark : controls_.marks) {
    if (mark) set_image_picture(mark, unselected);
  }
  if (selected && controls_.marks[*selected]) set_image_picture(controls_.marks[*selected], chosen);
}

void SettingsDialog::set_file_button_enabled(bool enabled) {
  button::Command* file_button = controls_.file_button;
  if (!file_button) return;
  file_button->SetEnabled(enabled);
  // A disabled button is also skipped by the keyboard and gets no mouse input.
  EnableWindow(file_button->window(), enabled ? TRUE : FALSE);
}

void SettingsDialog::apply_enabling() {
  const Enabling enabling = state_.enabling();
  set_file_button_enabled(false);
  if (controls_.repeat) EnableWindow(controls_.repeat, FALSE);
  show_marks(enabling.marked_kind);
  if (enabling.repeat && controls_.repeat) EnableWindow(controls_.repeat, TRUE);
  if (enabling.file) set_file_button_enabled(true);
}

void SettingsDialog::select_kind(int kind) {
  if (unloading_) return;
  state_.select_kind(kind);
  apply_enabling();
}

// このﾌｧｲﾙは選べません。ﾌｧｲﾙ名かﾌｫﾙﾀﾞ名に、設定に保存できない文字があります。
// 名前を変えてから、もう一度選んでください。前に選んだﾌｧｲﾙはそのままです。
constexpr wchar_t kTextUnstorable[] =
    L"\u3053\u306E\uFF8C\uFF67\uFF72\uFF99\u306F\u9078\u3079\u307E\u305B\u3093\u3002"
    L"\uFF8C\uFF67\uFF72\uFF99\u540D\u304B\uFF8C\uFF6B\uFF99\uFF80\uFF9E\u540D\u306B\u3001\u8A2D\u5B9A\u306B\u4FDD\u5B58\u3067\u304D\u306A\u3044\u6587\u5B57\u304C\u3042\u308A\u307E\u3059\u3002"
    L"\u540D\u524D\u3092\u5909\u3048\u3066\u304B\u3089\u3001\u3082\u3046\u4E00\u5EA6\u9078\u3093\u3067\u304F\u3060\u3055\u3044\u3002"
    L"\u524D\u306B\u9078\u3093\u3060\uFF8C\uFF67\uFF72\uFF99\u306F\u305D\u306E\u307E\u307E\u3067\u3059\u3002";

// このﾌｧｲﾙは選べません。ﾌｫﾙﾀﾞ名とﾌｧｲﾙ名を合わせた長さが、設定に保存できる長さを超えています。
// 名前を短くするか、浅いﾌｫﾙﾀﾞに移してから、もう一度選んでください。前に選んだﾌｧｲﾙはそのままです。
constexpr wchar_t kTextTooLong[] =
    L"\u3053\u306E\uFF8C\uFF67\uFF72\uFF99\u306F\u9078\u3079\u307E\u305B\u3093\u3002"
    L"\uFF8C\uFF6B\uFF99\uFF80\uFF9E\u540D\u3068\uFF8C\uFF67\uFF72\uFF99\u540D\u3092\u5408\u308F\u305B\u305F\u9577\u3055\u304C\u3001\u8A2D\u5B9A\u306B\u4FDD\u5B58\u3067\u304D\u308B\u9577\u3055\u3092\u8D85\u3048\u3066\u3044\u307E\u3059\u3002"
    L"\u540D\u524D\u3092\u77ED\u304F\u3059\u308B\u304B\u3001\u6D45\u3044\uFF8C\uFF6B\uFF99\uFF80\uFF9E\u306B\u79FB\u3057\u3066\u304B\u3089\u3001\u3082\u3046\u4E00\u5EA6\u9078\u3093\u3067\u304F\u3060\u3055\u3044\u3002"
    L"\u524D\u306B\u9078\u3093\u3060\uFF8C\uFF67\uFF72\uFF99\u306F\u305D\u306E\u307E\u307E\u3067\u3059\u3002";

// The file stays chosen only in a form that the settings file can hold and
// give back, and that names it; the label shows its real name.
void SettingsDialog::choose_file(int index) {
  if (unloading_ || index != 0) return;
  const std::optional<std::wstring> path = pick_music_file(window_, state_.record().BgmFolder);
  if (!path) return;  // cancelled or failed: nothing changes
  const std::optional<std::wstring> stored = storable_music_path(*path);
  if (!stored) {
    // Length first: a path too long stays so whatever its characters.
    const wchar_t* text = to_ansi(*path).size() > kValueBytes ? kTextTooLong : kTextUnstorable;
    MessageBoxW(window_, text, program_title().c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  state_.choose_file(*stored);
  if (controls_.file_label) SetWindowTextW(controls_.file_label, path->c_str());
}

void SettingsDialog::accept() {
  if (unloading_) return;
  const std::wstring repeat = controls_.repeat ? text_of(controls_.repeat) : std::wstring();
  for (const Write& write : state_.accept(repeat)) WriteIni(kSection, write.key, write.value, settings_file_path());
  unload();
}

void SettingsDialog::unload() {
  if (unloading_) return;
  unloading_ = true;
  ZoomClose(window_, module_);
  PostMessageW(window_, kDestroyMessage, 0, 0);
}

void SettingsDialog::open_web_address() {
  if (unloading_) return;
  HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
  set_screen_pointer(hourglass);
  SetCursor(hourglass);
  const std::string address = to_ansi(text_of(controls_.url));
  ShellExecuteA(window_, "open", address.c_str(), "", "", SW_SHOWNORMAL);
  set_screen_pointer(nullptr);
  SetCursor(resources_.hand ? resources_.hand.get() : LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace dialog

void show_settings_dialog() {
  dialog::SettingsDialog settings(Tessarine_B());
  if (!settings.create()) return;
  settings.load();
  settings.show();
  MSG message;
  while (!settings.gone()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (settings.window() && IsDialogMessageW(settings.window(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace tessarine::shell
