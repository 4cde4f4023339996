// Loading the settings dialog's resources and building its controls.
#include "win32_dialog_build.h"

#include <optional>
#include <string>
#include <utility>

#include "cursor_file.h"
#include "dialog_layout.h"
#include "embedded.h"
#include "win32_picture.h"
#include "win32_picture_group.h"
#include "win32_program.h"

TESSARINE_EMBEDDED(kMarkUnselectedJpeg);
TESSARINE_EMBEDDED(kMarkSelectedJpeg);
TESSARINE_EMBEDDED(kHandCursor);

namespace tessarine::shell::dialog {

namespace {

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

HCURSOR make_hand_cursor() {
  const std::optional<CursorImage> image = read_cursor_file(kHandCursor, kHandCursor_size);
  if (!image) return nullptr;
  std::vector<BYTE> resource(image->resource.begin(), image->resource.end());
  return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                            0x00030000, image->width, image->height, LR_DEFAULTCOLOR));
}

// The program's icon, shared with the shell, at one size.
HICON load_program_icon(int width, int height) {
  return static_cast<HICON>(LoadImageW(program_instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, width, height, 0));
}

HFONT make_font(int height, bool underlined) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underlined ? TRUE : FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontFace);
}

}  // namespace

void load_resources(HWND dialog, Dpi dpi, DialogResources& resources) {
  resources.icon.reset(load_program_icon(32, 32));
  resources.small_icon.reset(load_program_icon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
  if (resources.icon) SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(resources.icon.get()));
  if (resources.small_icon)
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(resources.small_icon.get()));

  const int height = font_height(dpi.y);
  resources.font.reset(make_font(height, false));
  resources.underlined_font.reset(make_font(height, true));
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(resources.font.get()), FALSE);
  resources.unselected_mark = picture::decode(kMarkUnselectedJpeg, kMarkUnselectedJpeg_size);
  resources.selected_mark = picture::decode(kMarkSelectedJpeg, kMarkSelectedJpeg_size);
  resources.hand.reset(make_hand_cursor());

  const HFONT font = resources.font.get();
  resources.black_text = {font, RGB(0, 0, 0), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX, false, nullptr};
  resources.centred_text = {font, RGB(0, 0, 0), DT_CENTER | DT_SINGLELINE | DT_NOPREFIX, false, nullptr};
  resources.file_text = {font, RGB(0, 0, 0), DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX, true, nullptr};
  resources.url_text = {resources.underlined_font.get(), RGB(255, 255, 255), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX,
                        false, resources.hand.get()};
}

RECT ControlBuilder::area_of(int id) const {
  return gdi::to_rect(to_pixels(placement_of(id).value_or(Twips{}), dpi_));
}

HWND ControlBuilder::add_label(HWND parent, int id, const wchar_t* text, const LabelLook* look,
                               const ControlEvents* events) const {
  return create_label(parent, id, area_of(id), text, look, events);
}

HWND ControlBuilder::add_image(HWND parent, int id, const ControlEvents* events) const {
  return create_image(parent, id, area_of(id), events, dpi_);
}

HWND ControlBuilder::add_drop_down(HWND parent, int id, DWORD kind, HFONT font) const {
  const RECT field = area_of(id);
  const int field_height = field.bottom - field.top;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | kind | (kind == CBS_DROPDOWN ? CBS_AUTOHSCROLL : 0);
  HWND list = CreateWindowExW(0, L"COMBOBOX", L"", style, field.left, field.top, field.right - field.left,
                              field_height * 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              program_instance(), nullptr);
  if (!list) return nullptr;
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  RECT shown = {};
  GetWindowRect(list, &shown);
  const LRESULT item = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const int excess = static_cast<int>(shown.bottom - shown.top) - field_height;
  if (item != CB_ERR && excess != 0 && item - excess > 0)
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item - excess);
  return list;
}

button::Command* ControlBuilder::add_command(HWND parent, int id, const wchar_t* caption, int index,
                                             const button::Command::ClickHandler& click) {
  const button::FontSpec font = {kFontFace, kFontPoints, FW_NORMAL, false, false, false, SHIFTJIS_CHARSET};
  button::PropertyStore stored;
  stored.set(button::kKeyCaption, std::wstring(caption));
  stored.set(button::kKeyFont, font);
  std::unique_ptr<button::Command> command = button::Command::Create(parent, area_of(id), &stored, index, &font);
  if (!command) return nullptr;
  HWND window = command->window();
  SetWindowLongPtrW(window, GWLP_ID, id);
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
  command->Click = click;
  controls_.commands.push_back(std::move(command));
  return controls_.commands.back().get();
}

// Creation order is the keyboard order: the panel's repeat list and file
// button, the picture group, then OK and Cancel.
DialogControls build_controls(HWND dialog, Dpi dpi, const DialogResources& resources, const Surface* panel_background,
                              const DialogEvents& events, PictureGroup& picture, AccessibleNames& names) {
  DialogControls controls;
  ControlBuilder build(dpi, controls);
  HWND panel = create_panel(dialog, kIdPanel, build.area_of(kIdPanel), panel_background,
                            gdi::to_rect(to_pixels(kHeadingOutline, dpi)));
  controls.panel = panel;

  build.add_label(panel, kIdHeading, kTextHeading, &resources.centred_text);
  for (int kind : {1, 0, 2}) {
    controls.marks[kind] = build.add_image(panel, kIdMark0 + kind, &events.kinds[kind]);
    build.add_label(panel, kIdKindLabel0 + kind, kKindTexts[kind], &resources.black_text, &events.kinds[kind]);
  }
  build.add_label(panel, kIdRepeatCaption, kTextRepeatCaption, &resources.black_text);
  controls.repeat = build.add_drop_down(panel, kIdRepeat, CBS_DROPDOWN, resources.font.get());
  names.name(controls.repeat, kTextRepeatCaption);
  controls.file_button = build.add_command(panel, kIdFileButton, kTextBrowse, 0, events.file_button);
  controls.file_label = build.add_label(panel, kIdFileLabel, L"", &resources.file_text);

  picture.build(dialog, build, resources, events, names);

  controls.url = build.add_label(dialog, kIdUrl, kWebAddress, &resources.url_text, &events.url);
  build.add_command(dialog, kIdSet, kTextSet, -1, events.set);
  build.add_command(dialog, kIdCancel, kTextCancel, -1, events.cancel);

  // The two mark pictures, beyond the right edge of the client area.
  controls.mark_sources[0] = build.add_image(dialog, kIdMarkSource0, nullptr);
  controls.mark_sources[1] = build.add_image(dialog, kIdMarkSource1, nullptr);
  set_image_picture(controls.mark_sources[0], resources.unselected_mark.get());
  set_image_picture(controls.mark_sources[1], resources.selected_mark.get());
  return controls;
}

}  // namespace tessarine::shell::dialog
