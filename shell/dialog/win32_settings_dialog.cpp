// The settings dialog "<Tessarine>" (Tessarine_P): the music kind chosen by
// mark or label, the repeat track, the file picker, the web address, OK and
// Cancel over a painted background. Shown modally in configure mode.
#include "win32_settings_dialog.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "../win32_shell.h"
#include "cursor_file.h"
#include "dialog_layout.h"
#include "dialog_state.h"
#include "win32_code_page.h"
#include "win32_command_button.h"
#include "win32_dialog_controls.h"
#include "win32_dpi.h"
#include "win32_file_picker.h"
#include "win32_picture.h"
#include "embedded.h"

TESSARINE_EMBEDDED(kMarkUnselectedJpeg);
TESSARINE_EMBEDDED(kMarkSelectedJpeg);
TESSARINE_EMBEDDED(kHandCursor);

namespace tessarine::shell {

namespace dialog {
namespace {

constexpr wchar_t kClassName[] = L"Tessarine_P";
constexpr wchar_t kCaption[] = L"<Tessarine>";
constexpr wchar_t kFontFace[] = L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";  // ＭＳ Ｐゴシック
constexpr double kFontPoints = 9.75;
constexpr wchar_t kWebAddress[] = L"https://tessarine.example.org/";

constexpr wchar_t kTextSet[] = L"\u8A2D\u5B9A";                       // 設定
constexpr wchar_t kTextCancel[] = L"\uFF77\uFF6C\uFF9D\uFF7E\uFF99";  // ｷｬﾝｾﾙ
constexpr wchar_t kTextBrowse[] = L"...";
constexpr wchar_t kTextHeading[] = L"BGM";
constexpr wchar_t kTextRepeatCaption[] = L"\u66F2\u76EE\u3092\uFF98\uFF8B\uFF9F\uFF70\uFF84";  // 曲目をﾘﾋﾟｰﾄ
constexpr std::array<const wchar_t*, kKindCount> kKindTexts = {
    L"\u306A\u3057",  // なし
    L"\u97F3\u697D"
    L"CD",            // 音楽CD
    L"MP3\u3001WAV",  // MP3、WAV
};
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

// Owns a cursor or icon made at run time.
struct OwnedCursor {
  HCURSOR handle = nullptr;
  ~OwnedCursor() {
    if (handle) DestroyCursor(handle);
  }
};
struct OwnedIcon {
  HICON handle = nullptr;
  ~OwnedIcon() {
    if (handle) DestroyIcon(handle);
  }
};

HCURSOR make_hand_cursor() {
  const std::optional<CursorImage> image = read_cursor_file(kHandCursor, kHandCursor_size);
  if (!image) return nullptr;
  std::vector<BYTE> resource(image->resource.begin(), image->resource.end());
  return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                            0x00030000, image->width, image->height, LR_DEFAULTCOLOR));
}

class SettingsDialog {
 public:
  explicit SettingsDialog(SettingsRecord& record) : state_(record) {}
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;
  ~SettingsDialog() {
    commands_.clear();
    if (window_) DestroyWindow(window_);
  }

  bool create();
  void load();
  void show();
  HWND window() const { return window_; }
  bool gone() const { return gone_; }

 private:
  struct Control {
    int id;
    HWND window;
    button::Command* command;  // the button controls; null for every other control
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

  RECT area_of(int id) const;
  void load_resources();
  void create_controls();
  HWND add_label(HWND parent, int id, const wchar_t* text, const LabelLook* look,
                 const ControlEvents* events = nullptr);
  button::Command* add_command(HWND parent, int id, const wchar_t* caption, int index);

  LRESULT on_nc_destroy(WPARAM wparam, LPARAM lparam);
  void on_resize();
  void on_paint();
  void on_activate(bool active);
  void on_command(WORD id);
  void show_marks(std::optional<int> selected);
  void apply_enabling();
  void set_file_button_enabled(bool enabled);
  void select_kind(int kind);
  void choose_file(int index);
  void accept();
  void unload();
  void open_web_address();

  DialogState state_;
  HWND window_ = nullptr;
  bool unloading_ = false;
  bool gone_ = false;
  Dpi dpi_;

  Surface background_;
  Surface panel_background_;
  gdi::Font font_;
  gdi::Font underlined_font_;
  gdi::Bitmap unselected_mark_;
  gdi::Bitmap selected_mark_;
  OwnedCursor hand_;
  OwnedIcon icon_;
  OwnedIcon small_icon_;
  LabelLook black_text_;
  LabelLook centred_text_;
  LabelLook file_text_;
  LabelLook url_text_;
  std::array<ControlEvents, kKindCount> kind_events_;
  ControlEvents url_events_;

  HWND focus_ = nullptr;  // the control that had the focus when the dialog was last left
  HWND panel_ = nullptr;
  HWND repeat_ = nullptr;
  HWND file_label_ = nullptr;
  HWND url_ = nullptr;
  std::array<HWND, kKindCount> marks_ = {};
  std::array<HWND, 2> mark_sources_ = {};  // Img_Ra(0), Img_Ra(1)
  button::Command* file_button_ = nullptr;
  std::vector<Control> controls_;
  std::vector<std::unique_ptr<button::Command>> commands_;
};

LRESULT CALLBACK SettingsDialog::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
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
      on_command(LOWORD(wparam));
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

RECT SettingsDialog::area_of(int id) const {
  const PixelRect p = to_pixels(placement_of(id).value_or(Twips{}), dpi_);
  return {p.left, p.top, p.left + p.width, p.top + p.height};
}

HWND SettingsDialog::add_label(HWND parent, int id, const wchar_t* text, const LabelLook* look,
                               const ControlEvents* events) {
  HWND label = create_label(parent, id, area_of(id), text, look, events);
  controls_.push_back({id, label, nullptr});
  return label;
}

button::Command* SettingsDialog::add_command(HWND parent, int id, const wchar_t* caption, int index) {
  const button::FontSpec font = {kFontFace, kFontPoints, FW_NORMAL, false, false, false, SHIFTJIS_CHARSET};
  button::PropertyStore stored;
  stored.set(button::kKeyCaption, std::wstring(caption));
  stored.set(button::kKeyFont, font);
  std::unique_ptr<button::Command> command = button::Command::Create(parent, area_of(id), &stored, index, &font);
  if (!command) return nullptr;
  HWND window = command->window();
  SetWindowLongPtrW(window, GWLP_ID, id);
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
  controls_.push_back({id, window, command.get()});
  commands_.push_back(std::move(command));
  return commands_.back().get();
}

bool SettingsDialog::create() {
  HINSTANCE instance = program_instance();
  register_control_classes(instance);
  WNDCLASSW window_class = {};
  if (!GetClassInfoW(instance, kClassName, &window_class)) {
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));  // RGB(128, 128, 128)
    window_class.lpszClassName = kClassName;
    RegisterClassW(&window_class);
  }

  dpi_ = screen_dpi();

  // A fixed single border with a title bar; the client area is laid out in twips.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const int client_width = shell::to_pixels(kClientWidthTwips, dpi_.x);
  const int client_height = shell::to_pixels(kClientHeightTwips, dpi_.y);
  RECT outer = {0, 0, client_width, client_height};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  CreateWindowExW(0, kClassName, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                  outer.bottom - outer.top, nullptr, nullptr, instance, this);
  if (!window_) return false;
  RECT client = {};
  GetClientRect(window_, &client);
  if (client.right != client_width || client.bottom != client_height) {
    RECT frame = {};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + client_width - client.right,
                 frame.bottom - frame.top + client_height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  load_resources();
  create_controls();
  return true;
}

void SettingsDialog::load_resources() {
  HINSTANCE instance = program_instance();
  // The program's icon, shared with the shell.
  icon_.handle = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  small_icon_.handle = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (icon_.handle) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.handle));
  if (small_icon_.handle) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.handle));

  const int height = font_height(dpi_.y);
  font_.reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  underlined_font_.reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, SHIFTJIS_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  unselected_mark_ = picture::decode(kMarkUnselectedJpeg, kMarkUnselectedJpeg_size);
  selected_mark_ = picture::decode(kMarkSelectedJpeg, kMarkSelectedJpeg_size);
  hand_.handle = make_hand_cursor();

  black_text_ = {font_.get(), RGB(0, 0, 0), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX, false, nullptr};
  centred_text_ = {font_.get(), RGB(0, 0, 0), DT_CENTER | DT_SINGLELINE | DT_NOPREFIX, false, nullptr};
  file_text_ = {font_.get(), RGB(0, 0, 0), DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX, true, nullptr};
  url_text_ = {underlined_font_.get(), RGB(255, 255, 255), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX, false, hand_.handle};
  for (int kind = 0; kind < kKindCount; ++kind) kind_events_[kind].pressed = [this, kind] { select_kind(kind); };
  url_events_.clicked = [this] { open_web_address(); };
}

void SettingsDialog::create_controls() {
  // Creation order is the keyboard order: the panel's repeat list and file
  // button, then OK and Cancel.
  const RECT outline_area = [&] {
    const PixelRect p = to_pixels(kHeadingOutline, dpi_);
    return RECT{p.left, p.top, p.left + p.width, p.top + p.height};
  }();
  panel_ = create_panel(window_, kIdPanel, area_of(kIdPanel), &panel_background_, outline_area);
  controls_.push_back({kIdPanel, panel_, nullptr});

  add_label(panel_, kIdHeading, kTextHeading, &centred_text_);
  for (int kind : {1, 0, 2}) {
    marks_[kind] = create_image(panel_, kIdMark0 + kind, area_of(kIdMark0 + kind), &kind_events_[kind], dpi_);
    controls_.push_back({kIdMark0 + kind, marks_[kind], nullptr});
    add_label(panel_, kIdKindLabel0 + kind, kKindTexts[kind], &black_text_, &kind_events_[kind]);
  }
  add_label(panel_, kIdRepeatCaption, kTextRepeatCaption, &black_text_);

  // The drop-down list opens below the field; its field takes the laid-out height.
  const RECT field = area_of(kIdRepeat);
  const int field_height = field.bottom - field.top;
  repeat_ = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                            field.left, field.top, field.right - field.left, field_height * 10, panel_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRepeat)), program_instance(), nullptr);
  if (repeat_) {
    SendMessageW(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    RECT shown = {};
    GetWindowRect(repeat_, &shown);
    const LRESULT item = SendMessageW(repeat_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const int excess = static_cast<int>(shown.bottom - shown.top) - field_height;
    if (item != CB_ERR && excess != 0 && item - excess > 0)
      SendMessageW(repeat_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item - excess);
  }
  controls_.push_back({kIdRepeat, repeat_, nullptr});

  file_button_ = add_command(panel_, kIdFileButton, kTextBrowse, 0);
  if (file_button_) file_button_->Click = [this](int index) { choose_file(index); };
  file_label_ = add_label(panel_, kIdFileLabel, L"", &file_text_);

  url_ = add_label(window_, kIdUrl, kWebAddress, &url_text_, &url_events_);
  if (button::Command* set = add_command(window_, kIdSet, kTextSet, -1)) set->Click = [this](int) { accept(); };
  if (button::Command* cancel = add_command(window_, kIdCancel, kTextCancel, -1))
    cancel->Click = [this](int) { unload(); };

  // The two mark pictures, beyond the right edge of the client area.
  mark_sources_[0] = create_image(window_, kIdMarkSource0, area_of(kIdMarkSource0), nullptr, dpi_);
  mark_sources_[1] = create_image(window_, kIdMarkSource1, area_of(kIdMarkSource1), nullptr, dpi_);
  set_image_picture(mark_sources_[0], unselected_mark_.get());
  set_image_picture(mark_sources_[1], selected_mark_.get());
  controls_.push_back({kIdMarkSource0, mark_sources_[0], nullptr});
  controls_.push_back({kIdMarkSource1, mark_sources_[1], nullptr});
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
  // Every button control among the dialog's controls starts its pointer poll.
  for (const Control& control : controls_) {
    if (control.command) control.command->Initialize();
  }
  // The marks, and the enabling that follows the loaded kind.
  if (repeat_) EnableWindow(repeat_, FALSE);
  apply_enabling();
  // The repeat text first, then the list, which leaves the text alone.
  if (repeat_) {
    SetWindowTextW(repeat_, repeat_text(record.BgmRepeat).c_str());
    for (const std::wstring& entry : repeat_list())
      SendMessageW(repeat_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  if (file_label_) SetWindowTextW(file_label_, shown_music_path(record.BgmFile).c_str());
  // The anchor of the zoom: where the mouse was when the dialog was asked
  // for. A coordinate beyond 16 bits leaves that half of the anchor as it was.
  StartupModule& module = Tessarine_B();
  POINT cursor = {};
  if (GetCursorPos(&cursor)) {
    if (cursor.x >= INT16_MIN && cursor.x <= INT16_MAX) module.AnchorX = static_cast<int16_t>(cursor.x);
    if (cursor.y >= INT16_MIN && cursor.y <= INT16_MAX) module.AnchorY = static_cast<int16_t>(cursor.y);
  } else {
    module.AnchorX = 0;
    module.AnchorY = 0;
  }
  ZoomOpen(window_);
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
  if (panel_) {
    RECT panel_client = {};
    GetClientRect(panel_, &panel_client);
    panel_background_.paint_rows(panel_client.right, panel_client.bottom, panel_colour);
  }
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
void SettingsDialog::on_command(WORD id) {
  if (id == IDOK) accept();
  if (id == IDCANCEL) unload();
}

void SettingsDialog::on_paint() {
  gdi::PaintDc paint(window_);
  if (paint.get()) background_.show(paint.get());
}

void SettingsDialog::show_marks(std::optional<int> selected) {
  const HBITMAP unselected = mark_sources_[0] ? image_picture(mark_sources_[0]) : nullptr;
  const HBITMAP chosen = mark_sources_[1] ? image_picture(mark_sources_[1]) : nullptr;
  for (HWND mark : marks_) {
    if (mark) set_image_picture(mark, unselected);
  }
  if (selected && marks_[*selected]) set_image_picture(marks_[*selected], chosen);
}

void SettingsDialog::set_file_button_enabled(bool enabled) {
  if (!file_button_) return;
  file_button_->SetEnabled(enabled);
  // A disabled button is also skipped by the keyboard and gets no mouse input.
  EnableWindow(file_button_->window(), enabled ? TRUE : FALSE);
}

void SettingsDialog::apply_enabling() {
  const Enabling enabling = state_.enabling();
  set_file_button_enabled(false);
  if (repeat_) EnableWindow(repeat_, FALSE);
  show_marks(enabling.marked_kind);
  if (enabling.repeat && repeat_) EnableWindow(repeat_, TRUE);
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

// The file stays chosen only in a form that the settings file can hold and
// that names it; the label shows its real name.
void SettingsDialog::choose_file(int index) {
  if (unloading_ || index != 0) return;
  const std::optional<std::wstring> path = pick_music_file(window_, state_.record().BgmFolder);
  if (!path) return;  // cancelled or failed: nothing changes
  const std::optional<std::wstring> stored = storable_music_path(*path);
  if (!stored) {
    MessageBoxW(window_, kTextUnstorable, program_title().c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  state_.choose_file(*stored);
  if (file_label_) SetWindowTextW(file_label_, path->c_str());
}

void SettingsDialog::accept() {
  if (unloading_) return;
  const std::wstring repeat = repeat_ ? text_of(repeat_) : std::wstring();
  for (const Write& write : state_.accept(repeat)) WriteIni(kSection, write.key, write.value, settings_file_path());
  unload();
}

void SettingsDialog::unload() {
  if (unloading_) return;
  unloading_ = true;
  ZoomClose(window_);
  PostMessageW(window_, kDestroyMessage, 0, 0);
}

void SettingsDialog::open_web_address() {
  if (unloading_) return;
  HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
  set_screen_pointer(hourglass);
  SetCursor(hourglass);
  const std::string address = to_ansi(text_of(url_));
  ShellExecuteA(window_, "open", address.c_str(), "", "", SW_SHOWNORMAL);
  set_screen_pointer(nullptr);
  SetCursor(hand_.handle ? hand_.handle : LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace dialog

void show_settings_dialog() {
  dialog::SettingsDialog settings(Tessarine_B().settings);
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
