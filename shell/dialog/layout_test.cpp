// Background rows, the groups' placements, twips conversions, the dialog's position and its
// cursor file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "background.h"
#include "cursor_file.h"
#include "dialog_layout.h"

namespace tessarine::shell::dialog {
namespace {

TEST(Background, RunsFromTheEdgesToTheMiddleAndBack) {
  const std::vector<int> dialog = background_levels(243);
  ASSERT_EQ(dialog.size(), 244u);  // rows 0 to 243, the last one just below the surface
  EXPECT_EQ(dialog[0], 0);
  EXPECT_EQ(dialog[20], 56);
  EXPECT_EQ(dialog[60], 154);
  EXPECT_EQ(dialog[121], 220);
  EXPECT_EQ(dialog[200], 116);
  EXPECT_EQ(dialog[242], 3);  // the last visible row
  EXPECT_EQ(dialog[243], 0);

  const std::vector<int> panel = background_levels(165);
  ASSERT_EQ(panel.size(), 166u);
  EXPECT_EQ(panel[0], 0);
  EXPECT_EQ(panel[40], 152);
  EXPECT_EQ(panel[82], 220);
  EXPECT_EQ(panel[164], 4);

  EXPECT_TRUE(background_levels(0).empty());
  EXPECT_EQ(background_levels(1).size(), 2u);
}

TEST(Background, ColoursTheDialogNavyToLavenderAndThePanelGrey) {
  EXPECT_EQ(dialog_colour(0), (Rgb{0, 0, 30}));
  EXPECT_EQ(dialog_colour(220), (Rgb{220, 220, 250}));
  EXPECT_EQ(panel_colour(0), (Rgb{30, 30, 30}));
  EXPECT_EQ(panel_colour(220), (Rgb{250, 250, 250}));
}

TEST(Layout, ConvertsTwipsWithTheScreensOwnDpi) {
  const PixelRect file_label = to_pixels(*placement_of(kIdFileLabel), Dpi{96, 96});
  EXPECT_EQ(file_label.left, 72);
  EXPECT_EQ(file_label.top, 116);
  EXPECT_EQ(file_label.width, 373);
  EXPECT_EQ(file_label.height, 33);
  EXPECT_EQ(placement_of(9999), std::nullopt);
  // At 192 dpi: 7.5 twips to the pixel; the gap between the file button and
  // its label doubles (3 pixels at 96 dpi).
  const PixelRect button = to_pixels(*placement_of(kIdFileButton), Dpi{192, 192});
  EXPECT_EQ(button.left, 56);
  EXPECT_EQ(button.width, 82);
  EXPECT_EQ(to_pixels(*placement_of(kIdFileLabel), Dpi{192, 192}).left - (button.left + button.width), 6);
  // Edges, not sizes, are rounded: 195 twips from 2340 are 16 or 17 pixels
  // at 120 dpi, so that a row of controls keeps its joins.
  const PixelRect caption = to_pixels(*placement_of(kIdRepeatCaption), Dpi{120, 120});
  EXPECT_EQ(caption.left + caption.width, 278);  // 3330 / 12 = 277.5

  EXPECT_EQ(font_height(96), -13);
  EXPECT_EQ(font_height(144), -20);  // 19.5
}

// The controls of a group lie inside its panel and apart (the heading's
// label inside its outline, which nothing else touches).
TEST(Layout, KeepsEachGroupsControlsApartInsideTheirPanel) {
  const auto overlap = [](const Twips& a, const Twips& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
  };
  for (const auto& [panel, heading, outline] :
       {std::tuple{kIdPanel, kIdHeading, kHeadingOutline}, {kIdPicturePanel, kIdPictureHeading, kPictureHeadingOutline}}) {
    const Twips area = *placement_of(panel);
    std::vector<Twips> group = {outline};
    for (const Placement& p : kPlacements)
      if (container_of(p.id) == panel && p.id != heading) group.push_back(p.twips);
    for (size_t i = 0; i < group.size(); ++i) {
      const Twips& c = group[i];
      EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.left + c.width <= area.width && c.top + c.height <= area.height)
          << panel << ": " << i;
      for (size_t j = i + 1; j < group.size(); ++j) EXPECT_FALSE(overlap(c, group[j])) << panel << ": " << i << ", " << j;
    }
  }
}

TEST(Layout, CentresHorizontallyAtAThirdOfTheFreeHeight) {
  // 864 free pixels = 12960 twips, halved to 6480 (432 px); 496 free pixels
  // = 7440 twips, a third is 2480 (165.3 px).
  const Point at = centred_position(1366, 768, 502, 272, Dpi{96, 96});
  EXPECT_EQ(at.x, 432);
  EXPECT_EQ(at.y, 165);
  // A window larger than the screen: the division truncates toward zero.
  const Point over = centred_position(400, 300, 405, 305, Dpi{96, 96});
  EXPECT_EQ(over.x, -2);  // -75 / 2 = -37 twips
  EXPECT_EQ(over.y, -2);  // -75 / 3 = -25 twips
  // At 192 dpi 7 free pixels are 52.5 twips, rounded to 52 (even), halved to 26.
  EXPECT_EQ(centred_position(407, 300, 400, 300, Dpi{192, 192}).x, 3);
}

std::vector<uint8_t> bytes_of(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CursorFile, TheHandHasItsHotSpotAtTheFingertip) {
  const std::vector<uint8_t> file = bytes_of(TESSARINE_HAND_CURSOR);
  const std::optional<CursorImage> hand = read_cursor_file(file.data(), file.size());
  ASSERT_TRUE(hand);
  EXPECT_EQ(hand->width, 32);
  EXPECT_EQ(hand->height, 32);
  EXPECT_EQ(hand->hot_x, 12);
  EXPECT_EQ(hand->hot_y, 10);
  // Hot spot words, then a 40-byte header of a 1-bit 32 x (2 x 32) bitmap,
  // two colours and two 128-byte masks.
  ASSERT_EQ(hand->resource.size(), 4u + 40 + 8 + 128 + 128);
  EXPECT_EQ(hand->resource[0], 12);
  EXPECT_EQ(hand->resource[2], 10);
  EXPECT_EQ(hand->resource[4], 40);
  EXPECT_EQ(hand->resource[4 + 8], 64);
  EXPECT_EQ(hand->resource[4 + 14], 1);
}

TEST(CursorFile, RefusesWhatIsNoCursorFile) {
  std::vector<uint8_t> file = bytes_of(TESSARINE_HAND_CURSOR);
  EXPECT_FALSE(read_cursor_file(file.data(), 10));
  EXPECT_FALSE(read_cursor_file(nullptr, 0));
  std::vector<uint8_t> icon = file;
  icon[2] = 1;  // an icon file
  EXPECT_FALSE(read_cursor_file(icon.data(), icon.size()));
  std::vector<uint8_t> cut(file.begin(), file.end() - 1);  // image runs past the end
  EXPECT_FALSE(read_cursor_file(cut.data(), cut.size()));
}

}  // namespace
}  // namespace tessarine::shell::dialog
