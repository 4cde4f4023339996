// How the settings dialog of the real Tessarine.scr /c looks: where it opens
// and where its controls stand, how it scales with the screen's dpi, its
// colours, its Japanese text, its icon and its pointers.
#include <gtest/gtest.h>

#include "dialog_test_support.h"

namespace tessarine::test {
namespace {

TEST(SettingsDialog, OpensCentredAtAThirdOfTheFreeHeightWithItsControlsInPlace) {
  const int dpi = screen_dpi();
  if (dpi != 96) GTEST_SKIP() << "pixel figures are for 96 dpi; this screen has " << dpi;
  ConfigureRun run(1, 3, L"");
  ASSERT_TRUE(run.open());
  HWND dialog = run.dialog();

  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 496);
  EXPECT_EQ(client.bottom, 359);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the border is fixed";

  RECT outer = {};
  GetWindowRect(dialog, &outer);
  const double free_width = GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left);
  const double free_height = GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top);
  EXPECT_NEAR(outer.left, free_width / 2, 1.0);
  EXPECT_NEAR(outer.top, free_height / 3, 1.0);

  // Every control where the layout puts it, in its container: the dialog, or
  // the panel of its group.
  for (const ids::Placement& placement : ids::kPlacements) {
    SCOPED_TRACE(placement.id);
    HWND control = run.control(placement.id);
    ASSERT_NE(control, nullptr);
    const int container = ids::container_of(placement.id);
    EXPECT_EQ(GetParent(control), container ? run.control(container) : dialog);
    const auto at = ids::to_pixels(placement.twips, shell::Dpi{dpi, dpi});
    const RECT r = rect_in_parent(control);
    EXPECT_EQ(r.left, at.left);
    EXPECT_EQ(r.top, at.top);
    // A left-aligned label grows to a text wider than foreseen (Wine's substitute font).
    const bool grows = placement.id == ids::kIdUrl || placement.id == ids::kIdRepeatCaption ||
                       (placement.id >= ids::kIdKindLabel0 && placement.id <= ids::kIdKindLabel0 + 2) ||
                       placement.id == ids::kIdSpeedCaption || placement.id == ids::kIdDensityCaption ||
                       placement.id == ids::kIdFrameRateCaption;
    if (grows) EXPECT_GE(r.right, at.left + at.width);
    if (!grows) EXPECT_EQ(r.right, at.left + at.width);
    const bool list = window_class(control) == L"ComboBox";
    if (list) EXPECT_NEAR(r.bottom - r.top, at.height, 2) << "the combo box's field";
    if (!list) EXPECT_EQ(r.bottom, at.top + at.height);
  }

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
// dialog keeps its size in twips and stays on the screen (768 pixels high
// here), the marks scale, and the repeat caption and the check boxes keep
// all of their text.
TEST(SettingsDialog, ScalesWithTheScreensDpi) {
  const int dpi = screen_dpi();
  ConfigureRun run(1, 3, L"");
  ASSERT_TRUE(run.open());
  RECT client = {};
  GetClientRect(run.dialog(), &client);
  EXPECT_EQ(client.right, MulDiv(496, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(359, dpi, 96));
  RECT outer = {};
  GetWindowRect(run.dialog(), &outer);
  EXPECT_GE(outer.top, 0);
  EXPECT_LE(outer.bottom, GetSystemMetrics(SM_CYSCREEN)) << "the dialog runs off the screen";
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{1});

  // The ink stops before the last column, where a text too long for its
  // control is cut.
  for (int id : {ids::kIdRepeatCaption, ids::kIdShowFrameRate, ids::kIdEndOnInput}) {
    SCOPED_TRACE(id);
    RECT label = {};
    GetWindowRect(run.control(id), &label);
    const Picture caption = capture_screen(label);
    const auto runs = ink_runs(caption);
    ASSERT_FALSE(runs.empty());
    EXPECT_LT(runs.back().second, caption.width) << "the text loses its end";
  }
  EXPECT_TRUE(run.click_and_end(ids::kIdCancel));
}

TEST(SettingsDialog, PaintsItsBackgroundRowsAndJapaneseTextWithAJapaneseFont) {
  const int dpi = screen_dpi();
  ConfigureRun run(1, 3, L"");
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

  const RECT panel = rect_in_parent(run.control(ids::kIdPanel));
  const int panel_height = panel.bottom - panel.top;
  const int px = panel.left + 3;
  EXPECT_TRUE(colour_near(shot.at(px, panel.top), 30, 30, 30, 0)) << describe(shot.at(px, panel.top));
  EXPECT_TRUE(colour_near(shot.at(px, panel.bottom - 1), 30, 30, 30, 5)) << describe(shot.at(px, panel.bottom - 1));
  EXPECT_TRUE(colour_near(shot.at(px, panel.top + panel_height / 2), 250, 250, 250, 1))
      << describe(shot.at(px, panel.top + panel_height / 2));
  // The heading's one-pixel black outline.
  EXPECT_TRUE(colour_near(shot.at(panel.left + 20 * dpi / 96, panel.top + 25 * dpi / 96), 0, 0, 0, 10));

  // A check box shows the panel's picture behind it: its last column, past
  // its text, matches the panel beside it row by row.
  RECT box = rect_in_parent(run.control(ids::kIdEndOnInput));
  const RECT picture_panel = rect_in_parent(run.control(ids::kIdPicturePanel));
  OffsetRect(&box, picture_panel.left, picture_panel.top);
  int differing = 0;
  for (int y = box.top; y < box.bottom; ++y) differing += shot.at(box.right - 1, y) != shot.at(box.right, y);
  EXPECT_EQ(differing, 0) << "rows of the check box unlike the panel, e.g. " << describe(shot.at(box.right - 1, box.top));

  // "音楽CD" in dark ink over the panel, its first two glyphs different: a
  // font without the characters would show the same box twice.
  RECT label = rect_in_parent(run.control(ids::kIdKindLabel0 + 1));
  OffsetRect(&label, panel.left, panel.top);
  const Picture text = shot.part(label);
  const auto runs = ink_runs(text);
  ASSERT_GE(runs.size(), 3u) << "glyph runs of the label";
  EXPECT_FALSE(same_ink(text, runs[0], runs[1]));
  EXPECT_GT(runs[0].second - runs[0].first, 8) << "a full-width glyph";

  // The web address in white.
  const RECT url = rect_in_parent(run.control(ids::kIdUrl));
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
  move_pointer(centre_on_screen(run.control(ids::kIdKindLabel0)));
  const HCURSOR arrow = settled_cursor();
  move_pointer(centre_on_screen(run.control(ids::kIdUrl)));
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
  move_pointer(centre_on_screen(run.control(ids::kIdKindLabel0 + 2)));
  EXPECT_TRUE(wait_until([&] { return shown_cursor() == arrow; }, 10s)) << "the arrow again beside the address";
  EXPECT_TRUE(run.click_and_end(ids::kIdCancel));
}

}  // namespace
}  // namespace tessarine::test
