// The settings dialog of the real Tessarine.scr /c: where it opens and what it
// shows, the kind choice, the file picker, what OK writes and what Cancel and
// the close command leave alone. Driven with real mouse and key input. Then,
// in this process, the dialog and the preview window give back every Windows
// object they take.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <array>
#include <cstdio>

#include "../shell/shell_test_windows.h"
#include "dialog_layout.h"  // the controls' child window identifiers
#include "win32_preview_window.h"
#include "shell_module.h"
#include "win32_settings_dialog.h"
#include "win32_test_support.h"

namespace tessarine::test {
namespace {

namespace ids = tessarine::shell::dialog;

const wchar_t kTitle[] = L"<Tessarine>";
const wchar_t kPickerTitle[] = L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F";  // ﾌｧｲﾙを開く
// The settings keys as the file holds them (Shift-JIS).
const std::string kKeyKind = "BGM\x8B\xE6\x95\xAA";        // BGM区分
const std::string kKeyRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
const std::string kKeyFile = "BGM\xCC\xA7\xB2\xD9";        // BGMﾌｧｲﾙ

std::string settings(const std::string& kind, const std::string& repeat, const std::string& file) {
  return "[Section]\r\n" + kKeyKind + "=" + kind + "\r\n" + kKeyRepeat + "=" + repeat + "\r\n" + kKeyFile + "=" + file +
         "\r\n";
}

std::string read_key(const std::wstring& file, const std::string& key) {
  char value[256] = {};
  GetPrivateProfileStringA("Section", key.c_str(), "<missing>", value, sizeof value, to_ansi(file).c_str());
  return value;
}

// The text a window holds, asked of its own process (combo boxes keep it in
// their edit field).
std::wstring text_of(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  return text;
}

HWND descendant(HWND root, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      root,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(window) != s->id) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A control's rectangle in its container's client coordinates.
RECT in_container(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT centre_on_screen(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void send_mouse(DWORD flags, POINT at = {}) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  SendInput(1, &input, sizeof input);
}

void move_to(POINT at) {
  SetCursorPos(at.x, at.y);
  send_mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
}

// A real press and release of a mouse button over the middle of a control.
// The pointer first moves within the control: a button control sees the
// pointer enter only through a move, and the last test may have left the
// pointer on this very spot.
void click(HWND control, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  const POINT centre = centre_on_screen(control);
  move_to({centre.x - 3, centre.y - 2});
  move_to(centre);
  send_mouse(down);
  send_mouse(up);
}

void press_key(WORD key) {
  std::array<INPUT, 2> inputs = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs.data(), sizeof(INPUT));
}

// The shell in configure mode, started from a private folder with a prepared
// settings file.
class ConfigureRun {
 public:
  explicit ConfigureRun(const std::string& settings_bytes) {
    folder_.copy_in(dist_file(L"Tessarine.scr"));
    folder_.copy_in(dist_file(L"Tessarine.dll"));
    write_file_bytes(settings_file(), settings_bytes);
  }

  // Starts the shell with /c and waits until the dialog has loaded and shows.
  ::testing::AssertionResult open() {
    // A dialog left by an earlier run would turn this start away.
    if (!wait_for_no_window(kTitle)) return ::testing::AssertionFailure() << "another dialog stays open";
    process_ = Process::start(folder_.file(L"Tessarine.scr"), L"/c");
    if (!process_.started()) return ::testing::AssertionFailure() << "the shell did not start";
    dialog_ = wait_for_window(kTitle);
    if (!dialog_)
      return ::testing::AssertionFailure() << "no window "
                                           << "<Tessarine>";
    const bool loaded = wait_until(
        [&] {
          HWND list = control(ids::kIdRepeat);
          DWORD_PTR count = 0;
          return IsWindowVisible(dialog_) && list &&
                 SendMessageTimeoutW(list, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) && count == 31;
        },
        kStartTimeout);
    if (!loaded) return ::testing::AssertionFailure() << "the dialog did not finish loading";
    return ::testing::AssertionSuccess();
  }

  HWND dialog() const { return dialog_; }
  HWND control(int id) const { return descendant(dialog_, id); }
  Process& process() { return process_; }
  const TempFolder& folder() const { return folder_; }
  std::wstring settings_file() const { return folder_.file(L"Tessarine.ini"); }
  std::string settings_bytes() const { return read_file_bytes(settings_file()); }

  // Whether the control (the repeat list: its text field) takes the focus.
  bool focus_comes_to(int id) const {
    return wait_until(
        [&] {
          GUITHREADINFO info = {sizeof info};
          GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
          return info.hwndFocus && (info.hwndFocus == control(id) || GetParent(info.hwndFocus) == control(id));
        },
        10s);
  }

  // Clicks a button control and waits for the shell to end.
  ::testing::AssertionResult click_and_end(int id) {
    SetForegroundWindow(dialog_);
    click(control(id));
    if (!process_.wait(kStartTimeout)) return ::testing::AssertionFailure() << "the shell did not end";
    return ::testing::AssertionSuccess();
  }

  // The marked kind seen on the screen: the mark whose middle shows blue. The
  // middle of the 12 x 12 picture moves with the dpi, as the picture scales.
  std::vector<int> marked_kinds() {
    HDC screen = GetDC(nullptr);
    const int middle = MulDiv(6, GetDeviceCaps(screen, LOGPIXELSX), 96);
    ReleaseDC(nullptr, screen);
    std::vector<int> marked;
    for (int kind = 0; kind < 3; ++kind) {
      RECT r = {};
      GetWindowRect(control(ids::kIdMark0 + kind), &r);
      const Picture shot = capture_screen(RECT{r.left + middle, r.top + middle, r.left + middle + 1, r.top + middle + 1});
      if (shot.width > 0 && GetBValue(shot.at(0, 0)) > 180 && GetRValue(shot.at(0, 0)) < 90) marked.push_back(kind);
    }
    return marked;
  }

 private:
  TempFolder folder_;
  Process process_;
  HWND dialog_ = nullptr;
};

// Column runs of dark ink in a picture: the glyphs of a line of text.
std::vector<std::pair<int, int>> ink_runs(const Picture& picture) {
  std::vector<std::pair<int, int>> runs;
  auto inked = [&](int x) {
    for (int y = 0; y < picture.height; ++y) {
      const COLORREF c = picture.at(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 240) return true;
    }
    return false;
  };
  for (int x = 0; x < picture.width;) {
    if (!inked(x)) {
      ++x;
      continue;
    }
    const int start = x;
    while (x < picture.width && inked(x)) ++x;
    runs.emplace_back(start, x);
  }
  return runs;
}

bool same_ink(const Picture& picture, std::pair<int, int> a, std::pair<int, int> b) {
  if (a.second - a.first != b.second - b.first) return false;
  for (int dx = 0; dx < a.second - a.first; ++dx) {
    for (int y = 0; y < picture.height; ++y) {
      const bool ink_a = GetRValue(picture.at(a.first + dx, y)) < 80;
      const bool ink_b = GetRValue(picture.at(b.first + dx, y)) < 80;
      if (ink_a != ink_b) return false;
    }
  }
  return true;
}

class SettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
  }
  int dpi_ = 96;
};

TEST_F(SettingsDialog, OpensCentredAtAThirdOfTheFreeHeightWithItsControlsInPlace) {
  if (dpi_ != 96) GTEST_SKIP() << "pixel figures are for 96 dpi; this screen has " << dpi_;
  ConfigureRun run(settings("1", "3", ""));
  ASSERT_TRUE(run.open());
  HWND dialog = run.dialog();

  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 496);
  EXPECT_EQ(client.bottom, 243);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the border is fixed";

  RECT outer = {};
  GetWindowRect(dialog, &outer);
  const double free_width = GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left);
  const double free_height = GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top);
  EXPECT_NEAR(outer.left, free_width / 2, 1.0);
  EXPECT_NEAR(outer.top, free_height / 3, 1.0);

  struct Expected {
    int id;
    RECT at;  // left, top, right, bottom in the container's client area
  };
  const Expected expected[] = {
      {ids::kIdPanel, {12, 16, 481, 181}},        {ids::kIdUrl, {12, 208, 219, 221}},
      {ids::kIdSet, {324, 200, 401, 225}},        {ids::kIdCancel, {404, 200, 481, 225}},
      {ids::kIdMarkSource0, {536, 20, 548, 32}},  {ids::kIdMarkSource1, {536, 40, 548, 52}},
      {ids::kIdHeading, {20, 24, 131, 37}},       {ids::kIdMark0 + 1, {28, 56, 41, 69}},
      {ids::kIdKindLabel0 + 1, {44, 56, 87, 69}}, {ids::kIdRepeatCaption, {156, 56, 222, 69}},
      {ids::kIdMark0 + 0, {28, 76, 41, 89}},      {ids::kIdKindLabel0 + 0, {44, 76, 66, 89}},
      {ids::kIdMark0 + 2, {28, 96, 41, 109}},     {ids::kIdKindLabel0 + 2, {44, 96, 104, 109}},
      {ids::kIdFileButton, {28, 116, 69, 137}},   {ids::kIdFileLabel, {72, 116, 445, 149}},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    HWND control = run.control(e.id);
    ASSERT_NE(control, nullptr);
    const RECT r = in_container(control);
    EXPECT_EQ(r.left, e.at.left);
    EXPECT_EQ(r.top, e.at.top);
    // A left-aligned label grows to a text wider than foreseen (Wine's substitute font).
    const bool grows = e.id == ids::kIdUrl || e.id == ids::kIdRepeatCaption ||
                       (e.id >= ids::kIdKindLabel0 && e.id <= ids::kIdKindLabel0 + 2);
    if (grows) EXPECT_GE(r.right, e.at.right);
    if (!grows) EXPECT_EQ(r.right, e.at.right);
    EXPECT_EQ(r.bottom, e.at.bottom);
  }
  HWND panel = run.control(ids::kIdPanel);
  for (int id : {ids::kIdHeading, ids::kIdRepeat, ids::kIdFileButton, ids::kIdFileLabel, ids::kIdMark0})
    EXPECT_EQ(GetParent(run.control(id)), panel) << id;
  const RECT repeat = in_container(run.control(ids::kIdRepeat));
  EXPECT_EQ(repeat.left, 112);
  EXPECT_EQ(repeat.top, 52);
  EXPECT_EQ(repeat.right, 153);
  EXPECT_NEAR(repeat.bottom - repeat.top, 20, 2) << "the combo box's field";

  // The title bar shows the icon: a dark blue square crossed by a green line,
  // seen on the screen left of the caption (drawn by the system, or under Wine
  // by the window manager from the icon that the window gave it).
  POINT client_origin = {0, 0};
  ClientToScreen(dialog, &client_origin);
  const RECT title_start = {outer.left, outer.top, outer.left + 48, client_origin.y};
  int navy = 0, green = 0;
  Picture title;
  const bool icon_shown = wait_until(
      [&] {
        title = capture_screen(title_start);
        navy = green = 0;
        for (COLORREF c : title.pixels) {
          navy += GetRValue(c) < 40 && GetGValue(c) >= 12 && GetGValue(c) < 56 && GetBValue(c) >= 40 &&
                  GetBValue(c) < 90;
          green += GetGValue(c) > 140 && GetRValue(c) < 120 && GetBValue(c) < 120;
        }
        return navy >= 20 && green >= 4;
      },
      10s, 200ms);
  EXPECT_TRUE(icon_shown) << "navy " << navy << ", green " << green << " pixels in " << title.width << " x "
                          << title.height << " left of the caption";
  // The icon's own pictures are 32 x 32. (Wine refuses WM_GETICON from
  // another process and reads no icon's pictures across processes.)
  DWORD_PTR icon = 0;
  if (SendMessageTimeoutW(dialog, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG, 5000, &icon)) {
    ASSERT_NE(icon, 0u) << "no title bar icon";
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(icon), &info));
    BITMAP mask = {};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  EXPECT_TRUE(run.click_and_end(ids::kIdCancel));
}

// At any dpi (the run at 192 dpi leaves its last screenshot behind): the
// dialog keeps its size in twips, the marks scale, and the repeat caption
// keeps all of its text.
TEST_F(SettingsDialog, ScalesWithTheScreensDpi) {
  ConfigureRun run(settings("1", "3", ""));
  ASSERT_TRUE(run.open());
  RECT client = {};
  GetClientRect(run.dialog(), &client);
  EXPECT_EQ(client.right, MulDiv(496, dpi_, 96));
  EXPECT_EQ(client.bottom, MulDiv(243, dpi_, 96));
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{1});

  // The repeat caption's ink stops before its last column, where a caption
  // too long for its label is cut.
  RECT label = {};
  GetWindowRect(run.control(ids::kIdRepeatCaption), &label);
  const Picture caption = capture_screen(label);
  const auto runs = ink_runs(caption);
  ASSERT_FALSE(runs.empty());
  EXPECT_LT(runs.back().second, caption.width) << "the caption loses its end";
  EXPECT_TRUE(run.click_and_end(ids::kIdCancel));
}

TEST_F(SettingsDialog, PaintsItsBackgroundRowsAndJapaneseTextWithAJapaneseFont) {
  ConfigureRun run(settings("1", "3", ""));
  ASSERT_TRUE(run.open());
  POINT origin = {0, 0};
  ClientToScreen(run.dialog(), &origin);
  RECT client = {};
  GetClientRect(run.dialog(), &client);
  Picture shot;
  // The dialog's column x = 3 and the panel's x = 15 (panel x 3) lie beside every control.
  const bool painted = wait_until(
      [&] {
        shot = capture_screen(RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
        return shot.width == client.right && colour_near(shot.at(3, client.bottom / 2), 220, 220, 250, 4);
      },
      kStartTimeout, 200ms);
  ASSERT_TRUE(painted) << (shot.width ? describe(shot.at(3, client.bottom / 2)) : "no picture");

  // Navy at the edges, lavender in the middle; the last visible row is a
  // few steps above the edge colour.
  EXPECT_TRUE(colour_near(shot.at(3, 0), 0, 0, 30, 0)) << describe(shot.at(3, 0));
  EXPECT_TRUE(colour_near(shot.at(3, client.bottom - 1), 0, 0, 30, 4)) << describe(shot.at(3, client.bottom - 1));
  EXPECT_TRUE(colour_near(shot.at(3, (client.bottom - 1) / 2), 220, 220, 250, 1));
  EXPECT_TRUE(colour_near(shot.at(client.right - 3, 0), 0, 0, 30, 0)) << "the whole row";

  const RECT panel = in_container(run.control(ids::kIdPanel));
  const int panel_height = panel.bottom - panel.top;
  const int px = panel.left + 3;
  EXPECT_TRUE(colour_near(shot.at(px, panel.top), 30, 30, 30, 0)) << describe(shot.at(px, panel.top));
  EXPECT_TRUE(colour_near(shot.at(px, panel.bottom - 1), 30, 30, 30, 5)) << describe(shot.at(px, panel.bottom - 1));
  EXPECT_TRUE(colour_near(shot.at(px, panel.top + panel_height / 2), 250, 250, 250, 1))
      << describe(shot.at(px, panel.top + panel_height / 2));
  // The heading's one-pixel black outline.
  EXPECT_TRUE(colour_near(shot.at(panel.left + 20 * dpi_ / 96, panel.top + 25 * dpi_ / 96), 0, 0, 0, 10));

  // "音楽CD" in dark ink over the panel, its first two glyphs different: a
  // font without the characters would show the same box twice.
  const RECT label = in_container(run.control(ids::kIdKindLabel0 + 1));
  Picture text;
  text.width = label.right - label.left;
  text.height = label.bottom - label.top;
  for (int y = 0; y < text.height; ++y)
    for (int x = 0; x < text.width; ++x)
      text.pixels.push_back(shot.at(panel.left + label.left + x, panel.top + label.top + y));
  const auto runs = ink_runs(text);
  ASSERT_GE(runs.size(), 3u) << "glyph runs of the label";
  EXPECT_FALSE(same_ink(text, runs[0], runs[1]));
  EXPECT_GT(runs[0].second - runs[0].first, 8) << "a full-width glyph";

  // The web address in white.
  const RECT url = in_container(run.control(ids::kIdUrl));
  bool white = false;
  for (int y = url.top; y < url.bottom; ++y)
    for (int x = url.left; x < url.left + 40; ++x) white = white || colour_near(shot.at(x, y), 255, 255, 255, 10);
  EXPECT_TRUE(white);

  // The hand over the web address, the arrow elsewhere. (Under Wine a
  // cursor's picture cannot be read from another process, so the hot spot is
  // checked only where it can.)
  SetForegroundWindow(run.dialog());
  auto shown_cursor = [] {
    CURSORINFO cursor = {sizeof cursor};
    return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
  };
  // Settled: the same pointer on several polls in a row.
  auto settled_cursor = [&] {
    HCURSOR seen = nullptr;
    int same = 0;
    wait_until(
        [&] {
          HCURSOR now = shown_cursor();
          same = now && now == seen ? same + 1 : 0;
          seen = now;
          return same >= 5;
        },
        10s, 100ms);
    return seen;
  };
  move_to(centre_on_screen(run.control(ids::kIdKindLabel0)));
  const HCURSOR arrow = settled_cursor();
  move_to(centre_on_screen(run.control(ids::kIdUrl)));
  HCURSOR hand = nullptr;
  EXPECT_TRUE(wait_until([&] { return (hand = shown_cursor()) != arrow && hand; }, 10s))
      << "the pointer over the address";
  ICONINFO hand_info = {};
  if (hand && GetIconInfo(hand, &hand_info)) {
    EXPECT_EQ(hand_info.xHotspot, 12u);
    EXPECT_EQ(hand_info.yHotspot, 10u);
    if (hand_info.hbmColor) DeleteObject(hand_info.hbmColor);
    DeleteObject(hand_info.hbmMask);
  }
  move_to(centre_on_screen(run.control(ids::kIdKindLabel0 + 2)));
  EXPECT_TRUE(wait_until([&] { return shown_cursor() == arrow; }, 10s)) << "the arrow again beside the address";
  EXPECT_TRUE(run.click_and_end(ids::kIdCancel));
}

TEST_F(SettingsDialog, ACdKindOpensWithItsMarkAndRepeatListIgnoresSecondStartsAndEscapeCancels) {
  const std::string before = settings("1", "3", "");
  ConfigureRun run(before);
  ASSERT_TRUE(run.open());
  HWND repeat = run.control(ids::kIdRepeat);
  EXPECT_TRUE(IsWindowEnabled(repeat));
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdFileButton)));
  EXPECT_EQ(text_of(repeat), L"3");
  wchar_t first[16] = L"?";
  wchar_t last[16] = {};
  SendMessageW(repeat, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  SendMessageW(repeat, CB_GETLBTEXT, 30, reinterpret_cast<LPARAM>(last));
  EXPECT_STREQ(first, L"");
  EXPECT_STREQ(last, L"30");
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{1});

  // Any further start of the shell ends at once while the dialog is open,
  // a preview in a live parent too.
  TestWindow parent(L"parent", 152, 112);
  for (const std::wstring& arguments : {std::wstring(L"/s"), std::wstring(L"/c"), L"/p " + parent.handle_text()}) {
    Process second = Process::start(run.folder().file(L"Tessarine.scr"), arguments);
    EXPECT_TRUE(pump_until([&] { return !second.running(); })) << "a second start with " << to_ansi(arguments);
  }
  parent.destroy();

  // The keys reach the focused repeat field.
  SetForegroundWindow(run.dialog());
  click(repeat);
  press_key('7');
  EXPECT_TRUE(wait_until([&] { return text_of(repeat).find(L'7') != std::wstring::npos; }, 10s))
      << to_ansi(text_of(repeat));

  // Tab walks the repeat list, OK and Cancel, skipping the disabled "...".
  for (int id : {ids::kIdSet, ids::kIdCancel, ids::kIdRepeat}) {
    press_key(VK_TAB);
    EXPECT_TRUE(run.focus_comes_to(id)) << "focus on " << id;
  }

  // Escape in the repeat field is Cancel: nothing is written.
  press_key(VK_ESCAPE);
  ASSERT_TRUE(run.process().wait()) << "Escape did not close the dialog";
  EXPECT_EQ(run.settings_bytes(), before) << "Cancel writes nothing";
}

TEST_F(SettingsDialog, AnOutOfRangeKindShowsNoMarkAndIsWrittenBack) {
  ConfigureRun run(settings("5", "0", ""));
  ASSERT_TRUE(run.open());
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdRepeat)));
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdFileButton)));
  EXPECT_EQ(text_of(run.control(ids::kIdRepeat)), L"");
  EXPECT_TRUE(run.marked_kinds().empty());

  // What a screen reader is told: each button's text is its caption, and it
  // is a push button whose default action clicks it (while it is enabled).
  EXPECT_EQ(text_of(run.control(ids::kIdSet)), L"\u8A2D\u5B9A");
  EXPECT_EQ(text_of(run.control(ids::kIdCancel)), L"\uFF77\uFF6C\uFF9D\uFF7E\uFF99");
  EXPECT_EQ(text_of(run.control(ids::kIdFileButton)), L"...");
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const auto accessible = [&](int id) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(run.control(id), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    return object;
  };
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  IAccessible* file_button = accessible(ids::kIdFileButton);
  ASSERT_NE(file_button, nullptr);
  VARIANT state = {};
  EXPECT_EQ(file_button->get_accState(self, &state), S_OK);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_NE(file_button->accDoDefaultAction(self), S_OK);
  file_button->Release();
  IAccessible* set = accessible(ids::kIdSet);
  ASSERT_NE(set, nullptr);
  VARIANT role = {};
  EXPECT_EQ(set->get_accRole(self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
  BSTR name = nullptr;
  EXPECT_EQ(set->get_accName(self, &name), S_OK);
  EXPECT_STREQ(name, L"\u8A2D\u5B9A");
  SysFreeString(name);
  EXPECT_EQ(set->accDoDefaultAction(self), S_OK);
  set->Release();
  CoUninitialize();
  ASSERT_TRUE(run.process().wait()) << "the default action did not press OK";
  EXPECT_EQ(read_key(run.settings_file(), kKeyKind), "5");
  EXPECT_EQ(read_key(run.settings_file(), kKeyRepeat), "0");
  EXPECT_EQ(read_key(run.settings_file(), kKeyFile), "");
}

// Accepts the open file picker with `name` typed into its file name field.
::testing::AssertionResult pick(HWND picker, const std::wstring& name) {
  HWND field = GetDlgItem(picker, 0x47c);  // the file name combo box
  if (!field) field = GetDlgItem(picker, 0x480);
  if (!field) return ::testing::AssertionFailure() << "no file name field";
  SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(picker, IDOK)));
  if (!wait_until([&] { return !IsWindow(picker); }, kStartTimeout))
    return ::testing::AssertionFailure() << "the picker stayed open";
  return ::testing::AssertionSuccess();
}

HWND open_picker(ConfigureRun& run) {
  SetForegroundWindow(run.dialog());
  click(run.control(ids::kIdFileButton));
  return wait_for_window(kPickerTitle);
}

TEST_F(SettingsDialog, PickedFileAndCdChoiceAreWrittenAndReadBack) {
  ConfigureRun run(settings("0", "0", ""));
  const std::wstring music = run.folder().file(L"music");
  ASSERT_TRUE(CreateDirectoryW(music.c_str(), nullptr));
  for (const std::wstring& file : {run.folder().file(L"first.wav"), music + L"\\song.mp3", music + L"\\tune.wav"})
    ASSERT_TRUE(write_file_bytes(file, "RIFF"));
  ASSERT_TRUE(run.open());
  HWND file_button = run.control(ids::kIdFileButton);
  HWND file_label = run.control(ids::kIdFileLabel);
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{0});

  // A right-button press on the label "MP3、WAV" chooses the file kind.
  SetForegroundWindow(run.dialog());
  click(run.control(ids::kIdKindLabel0 + 2), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(file_button) != FALSE; }, 10s));
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdRepeat)));

  // The first browse starts in the program's folder (no file was set) ...
  HWND picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  ASSERT_TRUE(pick(picker, L"first.wav"));
  EXPECT_TRUE(wait_until([&] { return window_title(file_label) == run.folder().file(L"first.wav"); }, 10s))
      << to_ansi(window_title(file_label));
  // ... a full path picks a file elsewhere ...
  picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  ASSERT_TRUE(pick(picker, music + L"\\song.mp3"));
  // ... and the next browse starts in that file's folder.
  picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  ASSERT_TRUE(pick(picker, L"tune.wav"));
  const std::wstring chosen = music + L"\\tune.wav";
  EXPECT_TRUE(wait_until([&] { return window_title(file_label) == chosen; }, 10s)) << to_ansi(window_title(file_label));
  // A cancelled browse changes nothing.
  picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(picker); }, kStartTimeout));
  EXPECT_EQ(window_title(file_label), chosen);

  // Then the CD kind by a left press on its mark, a typed track, and OK.
  click(run.control(ids::kIdMark0 + 1));
  HWND repeat = run.control(ids::kIdRepeat);
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(repeat) != FALSE; }, 10s));
  EXPECT_FALSE(IsWindowEnabled(file_button));
  SendMessageW(repeat, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3.5"));
  ASSERT_TRUE(run.click_and_end(ids::kIdSet));

  EXPECT_EQ(read_key(run.settings_file(), kKeyKind), "1");
  EXPECT_EQ(read_key(run.settings_file(), kKeyRepeat), "4");
  EXPECT_EQ(read_key(run.settings_file(), kKeyFile), to_ansi(chosen));
  // The keys in their order with their Shift-JIS bytes (Wine drops the blank
  // that the program writes before a number; Windows keeps it).
  const std::string bytes = run.settings_bytes();
  const size_t kind_at = bytes.find(kKeyKind + "=");
  const size_t repeat_at = bytes.find(kKeyRepeat + "=");
  const size_t file_at = bytes.find(kKeyFile + "=" + to_ansi(chosen));
  ASSERT_NE(kind_at, std::string::npos) << bytes;
  ASSERT_NE(repeat_at, std::string::npos) << bytes;
  ASSERT_NE(file_at, std::string::npos) << bytes;
  EXPECT_LT(kind_at, repeat_at);
  EXPECT_LT(repeat_at, file_at);

  // The next start reads it all back.
  ASSERT_TRUE(run.open());
  EXPECT_EQ(window_title(run.control(ids::kIdFileLabel)), chosen);
  EXPECT_EQ(text_of(run.control(ids::kIdRepeat)), L"4");
  EXPECT_TRUE(IsWindowEnabled(run.control(ids::kIdRepeat)));
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{1});
  ASSERT_TRUE(run.click_and_end(ids::kIdCancel));
}

TEST_F(SettingsDialog, AFileNamedOutsideTheCodePageIsStoredInAFormThatNamesItAndShownByItsName) {
  TempFolder music;
  const std::wstring folder = music.file(L"Bj\u00F8rk");
  const std::wstring song = folder + L"\\Caf\u00E9 \u301C \u00C9t\u00E9.mp3";  // Bjørk\Café 〜 Été.mp3
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(write_file_bytes(song, "ID3") && write_file_bytes(music.file(L"before.mp3"), "ID3"));
  ConfigureRun run(settings("2", "0", to_ansi(music.file(L"before.mp3"))));
  ASSERT_TRUE(run.open());
  HWND file_label = run.control(ids::kIdFileLabel);
  HWND picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  ASSERT_TRUE(pick(picker, song));
  EXPECT_TRUE(wait_until([&] { return window_title(file_label) == song; }, 10s));

  // Neither form works (under Wine only for a name of no file): a message.
  picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  ASSERT_TRUE(pick(picker, folder + L"\\Gone \u00E9.mp3"));
  HWND message = wait_for_window(L"Tessarine");
  ASSERT_NE(message, nullptr) << "no message";
  EXPECT_EQ(GetWindow(message, GW_OWNER), run.dialog());
  PostMessageW(message, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(message); }, kStartTimeout));
  EXPECT_EQ(window_title(file_label), song);

  ASSERT_TRUE(run.click_and_end(ids::kIdSet));
  const std::string stored = read_key(run.settings_file(), kKeyFile);
  wchar_t stored_long[MAX_PATH * 2] = {}, song_long[MAX_PATH * 2] = {};
  GetLongPathNameW(from_ansi(stored).c_str(), stored_long, MAX_PATH * 2);
  GetLongPathNameW(song.c_str(), song_long, MAX_PATH * 2);
  EXPECT_STREQ(stored_long, song_long) << stored;
  ASSERT_TRUE(run.open());
  EXPECT_EQ(window_title(run.control(ids::kIdFileLabel)), song_long);
  ASSERT_TRUE(run.click_and_end(ids::kIdCancel));
}

// The kind change disables "..." while it holds the focus, and the focus
// leaves it only then; the next click must still open the picker.
TEST_F(SettingsDialog, TheFileButtonAnswersTheFirstClickAfterTheKindChanges) {
  TempFolder music;
  const std::wstring song = music.file(L"song.mp3");
  ASSERT_TRUE(write_file_bytes(song, "ID3"));
  ConfigureRun run(settings("2", "0", to_ansi(song)));
  ASSERT_TRUE(run.open());
  HWND file_button = run.control(ids::kIdFileButton);
  ASSERT_TRUE(IsWindowEnabled(file_button));

  HWND picker = open_picker(run);
  ASSERT_NE(picker, nullptr);
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(picker); }, kStartTimeout));

  click(run.control(ids::kIdKindLabel0 + 1));
  ASSERT_TRUE(wait_until([&] { return !IsWindowEnabled(file_button); }, 10s));
  click(run.control(ids::kIdKindLabel0 + 2));
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(file_button) != FALSE; }, 10s));

  picker = open_picker(run);
  ASSERT_NE(picker, nullptr) << "the first click on \"...\" opened no picker";
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(picker); }, kStartTimeout));
  ASSERT_TRUE(run.click_and_end(ids::kIdCancel));
}

// Without a mouse: Space and Enter on the focused "..." open the picker once
// each, and Enter elsewhere is OK.
TEST_F(SettingsDialog, SpaceAndEnterPressTheFocusedButtonAndEnterElsewhereIsOk) {
  TempFolder music;
  const std::wstring song = music.file(L"song.mp3");
  ASSERT_TRUE(write_file_bytes(song, "ID3"));
  const std::string before = settings("2", "0", to_ansi(song));
  ConfigureRun run(before);
  ASSERT_TRUE(run.open());
  SetForegroundWindow(run.dialog());
  for (WORD key : {VK_SPACE, VK_RETURN}) {
    SCOPED_TRACE(key == VK_SPACE ? "Space" : "Enter");
    ASSERT_TRUE(run.focus_comes_to(ids::kIdFileButton));
    press_key(key);
    HWND picker = wait_for_window(kPickerTitle);
    ASSERT_NE(picker, nullptr);
    PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(picker); }, kStartTimeout));
    // The key pressed the button alone: neither a second picker nor OK.
    EXPECT_TRUE(run.process().running());
    EXPECT_EQ(run.settings_bytes(), before);
  }
  click(run.control(ids::kIdKindLabel0 + 1));
  click(run.control(ids::kIdRepeat));
  ASSERT_TRUE(run.focus_comes_to(ids::kIdRepeat));
  press_key(VK_RETURN);
  ASSERT_TRUE(run.process().wait()) << "Enter in the repeat field did not press OK";
  EXPECT_EQ(read_key(run.settings_file(), kKeyKind), "1");
}

TEST_F(SettingsDialog, TypedRepeatTextsAreRoundedHalvesToEven) {
  const std::pair<const wchar_t*, const char*> cases[] = {{L"abc", "0"}, {L"2.5", "2"}, {L"45", "45"}};
  for (const auto& [typed, stored] : cases) {
    SCOPED_TRACE(to_ansi(typed));
    ConfigureRun run(settings("1", "0", ""));
    ASSERT_TRUE(run.open());
    SendMessageW(run.control(ids::kIdRepeat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    ASSERT_TRUE(run.click_and_end(ids::kIdSet));
    EXPECT_EQ(read_key(run.settings_file(), kKeyRepeat), stored);
    EXPECT_EQ(read_key(run.settings_file(), kKeyKind), "1");
  }
}

TEST_F(SettingsDialog, TheCloseCommandWritesNothing) {
  const std::string before = settings("2", "7", "");
  ConfigureRun run(before);
  ASSERT_TRUE(run.open());
  SendMessageW(run.control(ids::kIdRepeat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
  PostMessageW(run.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(run.process().wait(kStartTimeout));
  EXPECT_EQ(run.settings_bytes(), before);
}

// The GDI and USER objects of this process. Wine: GetGuiResources is a stub
// that returns 0. Its GDI handle table answers to a handle's 16-bit index, so
// there the GDI objects are counted by probing those, and the USER objects are
// this thread's windows with their children plus the icons and cursors found
// the same way. (Wine also frees a bitmap deleted while still selected once
// its DC goes, where Windows refuses the delete and the bitmap stays: that
// leak shows only on Windows.)
struct GuiObjects {
  long gdi = 0;
  long user = 0;
};

GuiObjects gui_objects() {
  GuiObjects count;
  count.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  count.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  if (count.gdi != 0) return count;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count.gdi;
  }
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    ICONINFO info = {};
    if (!GetIconInfo(reinterpret_cast<HICON>(index), &info)) continue;
    ++count.user;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* user = reinterpret_cast<long*>(param);
        ++*user;
        EnumChildWindows(
            window,
            [](HWND, LPARAM child_param) -> BOOL {
              ++*reinterpret_cast<long*>(child_param);
              return TRUE;
            },
            param);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count.user));
  return count;
}

// Closes this thread's settings dialog with its close command once it shows.
int g_dialogs_shown = 0;
void CALLBACK close_when_shown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(nullptr, kTitle);
  if (!dialog || !IsWindowVisible(dialog) || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
    return;
  KillTimer(nullptr, timer);
  ++g_dialogs_shown;
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

int g_preview_unloads = 0;
void count_preview_unload() { ++g_preview_unloads; }

TEST(WindowsObjects, OpeningAndClosingTheDialogAndThePreviewFiftyTimesGivesEveryObjectBack) {
  shell::Tessarine_B().settings.BgmKind = 2;  // every button enabled
  TestWindow parent(L"parent", 152, 112);
  const auto open_and_close = [&] {
    SetTimer(nullptr, 0, 20, close_when_shown);
    shell::show_settings_dialog();
    const int unloads = g_preview_unloads;
    HWND preview = shell::build_preview_window(parent.get(), count_preview_unload);
    ASSERT_NE(preview, nullptr);
    UpdateWindow(preview);
    PostMessageW(preview, WM_CLOSE, 0, 0);
    ASSERT_TRUE(pump_until([&] { return g_preview_unloads == unloads + 1; }));
    pump_until([] { return false; }, 0ms);
  };
  // Once, for what is made once for the process (the button's look pictures).
  open_and_close();
  if (HasFatalFailure()) return;
  const GuiObjects before = gui_objects();
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE(round);
    open_and_close();
    if (HasFatalFailure()) return;
  }
  const GuiObjects after = gui_objects();
  std::printf("GDI objects %ld -> %ld, USER objects %ld -> %ld over 50 rounds\n", before.gdi, after.gdi,
              before.user, after.user);
  EXPECT_EQ(g_dialogs_shown, 51);
  EXPECT_GT(before.gdi, 0);
  EXPECT_LE(after.gdi - before.gdi, 3);
  EXPECT_LE(after.user - before.user, 3);
}

}  // namespace
}  // namespace tessarine::test
