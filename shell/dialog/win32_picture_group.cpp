// The picture group's controls, and the system's colour dialog.
#include "win32_picture_group.h"

// After windows.h, which it needs.
#include <commdlg.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog_layout.h"
#include "win32_gdi.h"

namespace tessarine::shell::dialog {

namespace {

constexpr wchar_t kTextHeading[] = L"\u753B\u9762";                                      // 画面
constexpr wchar_t kTextSpeed[] = L"\u901F\u3055";                                        // 速さ
constexpr wchar_t kTextDensity[] = L"\u5BC6\u5EA6";                                      // 密度
constexpr wchar_t kTextFrameRate[] = L"\uFF8C\uFF9A\uFF70\uFF91\uFF9A\uFF70\uFF84\u4E0A\u9650";  // ﾌﾚｰﾑﾚｰﾄ上限
constexpr wchar_t kTextColour[] = L"\u8272...";                                         // 色...
constexpr wchar_t kTextShowFrameRate[] = L"\uFF8C\uFF9A\uFF70\uFF91\uFF9A\uFF70\uFF84\u3092\u8868\u793A";  // ﾌﾚｰﾑﾚｰﾄを表示
constexpr wchar_t kTextEndOnInput[] = L"\uFF77\uFF70\u304B\uFF78\uFF98\uFF6F\uFF78\u3067\u7D42\u4E86";  // ｷｰかｸﾘｯｸで終了
constexpr wchar_t kTextDefaults[] = L"\u65E2\u5B9A\u5024\u306B\u623B\u3059";            // 既定値に戻す

COLORREF to_colorref(std::uint32_t rrggbb) { return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

std::uint32_t to_rrggbb(COLORREF colour) {
  return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
         GetBValue(colour);
}

// The system's colour dialog with the full editor open; the custom colours
// are kept for the dialog's next opening in this run. Nothing on a cancel.
std::optional<std::uint32_t> pick_colour(HWND owner, std::uint32_t rrggbb) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = to_colorref(rrggbb);
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorW(&choose)) return std::nullopt;
  return to_rrggbb(choose.rgbResult);
}

HWND add_check_box(const ControlBuilder& build, HWND panel, int id, const wchar_t* text, HFONT font) {
  const RECT area = build.area_of(id);
  HWND box = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, area.left,
                             area.top, area.right - area.left, area.bottom - area.top, panel,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(panel, GWLP_HINSTANCE)), nullptr);
  if (box) SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return box;
}

template <typename Value>
void fill(HWND list, const std::vector<Entry<Value>>& entries) {
  if (!list) return;
  for (const Entry<Value>& entry : entries)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
}

void select(HWND list, int index) {
  if (list) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int selected(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }

void check(HWND box, bool checked) {
  if (box) SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

void PictureGroup::build(HWND dialog, ControlBuilder& build, const DialogResources& resources,
                         const DialogEvents& events, AccessibleNames& names) {
  dialog_ = dialog;
  panel_ = create_panel(dialog, kIdPicturePanel, build.area_of(kIdPicturePanel), &background_,
                        gdi::to_rect(to_pixels(kPictureHeadingOutline, build.dpi())));
  const HFONT font = resources.font.get();
  build.add_label(panel_, kIdPictureHeading, kTextHeading, &resources.centred_text);

  build.add_label(panel_, kIdSpeedCaption, kTextSpeed, &resources.black_text);
  speed_ = build.add_drop_down(panel_, kIdSpeed, CBS_DROPDOWNLIST, font);
  names.name(speed_, kTextSpeed);
  build.add_label(panel_, kIdDensityCaption, kTextDensity, &resources.black_text);
  density_ = build.add_drop_down(panel_, kIdDensity, CBS_DROPDOWNLIST, font);
  names.name(density_, kTextDensity);
  build.add_label(panel_, kIdFrameRateCaption, kTextFrameRate, &resources.black_text);
  frame_rate_ = build.add_drop_down(panel_, kIdFrameRateLimit, CBS_DROPDOWNLIST, font);
  names.name(frame_rate_, kTextFrameRate);

  swatch_ = create_colour_area(panel_, kIdColourSwatch, build.area_of(kIdColourSwatch),
                               to_colorref(state_.picture().colour), true);
  build.add_command(panel_, kIdColourButton, kTextColour, -1, events.colour);
  show_fps_ = add_check_box(build, panel_, kIdShowFrameRate, kTextShowFrameRate, font);
  end_on_input_ = add_check_box(build, panel_, kIdEndOnInput, kTextEndOnInput, font);
  live_preview_ = preview_.create(panel_, kIdLivePreview, build.area_of(kIdLivePreview));
  build.add_command(panel_, kIdDefaults, kTextDefaults, -1, events.defaults);
}

void PictureGroup::load() {
  fill(speed_, state_.lists().speeds);
  fill(density_, state_.lists().densities);
  fill(frame_rate_, state_.lists().frame_rates);
  show_choices();
  preview_.start(state_.picture());
}

void PictureGroup::show_choices() {
  select(speed_, state_.speed_index());
  select(density_, state_.density_index());
  select(frame_rate_, state_.frame_rate_index());
  if (swatch_) set_area_colour(swatch_, to_colorref(state_.picture().colour));
  check(show_fps_, state_.picture().show_fps);
  check(end_on_input_, state_.picture().end_on_input);
  preview_.show(state_.picture());
}

void PictureGroup::paint_background() {
  if (!panel_) return;
  RECT client = {};
  GetClientRect(panel_, &client);
  background_.paint_rows(client.right, client.bottom, panel_colour);
}

void PictureGroup::on_command(int id, int code) {
  const bool chosen = code == CBN_SELCHANGE;
  const bool clicked = code == BN_CLICKED;
  if (id == kIdSpeed && chosen) state_.choose_speed(selected(speed_));
  if (id == kIdDensity && chosen) state_.choose_density(selected(density_));
  if (id == kIdFrameRateLimit && chosen) state_.choose_frame_rate(selected(frame_rate_));
  if (id == kIdShowFrameRate && clicked) state_.show_frame_rate(checked(show_fps_));
  if (id == kIdEndOnInput && clicked) state_.end_on_any_input(checked(end_on_input_));
  preview_.show(state_.picture());
}

void PictureGroup::choose_colour() {
  const std::optional<std::uint32_t> colour = pick_colour(dialog_, state_.picture().colour);
  if (!colour) return;
  state_.choose_colour(*colour);
  show_choices();
}

void PictureGroup::restore_defaults() {
  state_.restore_defaults();
  show_choices();
}

}  // namespace tessarine::shell::dialog
