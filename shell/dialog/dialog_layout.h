// Where the settings dialog's controls stand, in twips (1/1440 inch), and the
// conversions to the screen's pixels. The identifiers are the controls' child
// window identifiers, by which tests find them too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "pixel_rect.h"
#include "twips.h"

namespace tessarine::shell::dialog {

enum ControlId : int {
  kIdPanel = 100,          // Pic_C(0)
  kIdUrl = 101,            // lbl_URL
  kIdSet = 102,            // Cmd_Set
  kIdCancel = 103,         // Cmd_Can
  kIdMarkSource0 = 104,    // Img_Ra(0), unselected mark
  kIdMarkSource1 = 105,    // Img_Ra(1), selected mark
  kIdHeading = 110,        // lbl(15)
  kIdRepeat = 111,         // BGM_Repeat
  kIdRepeatCaption = 112,  // lbl(14)
  kIdFileButton = 113,     // Cmd_File(0)
  kIdFileLabel = 114,      // lbl_Fname(0)
  kIdMark0 = 120,          // Img_BGM(0..2): kIdMark0 + kind
  kIdKindLabel0 = 130,     // lbl_BGM(0..2): kIdKindLabel0 + kind
  // The picture group: its panel, then the controls in it.
  kIdPicturePanel = 140,
  kIdPictureHeading = 150,
  kIdSpeedCaption = 151,
  kIdSpeed = 152,
  kIdDensityCaption = 153,
  kIdDensity = 154,
  kIdFrameRateCaption = 155,
  kIdFrameRateLimit = 156,
  kIdColourSwatch = 157,
  kIdColourButton = 158,
  kIdShowFrameRate = 159,
  kIdEndOnInput = 160,
  kIdDefaults = 161,
  kIdLivePreview = 162,  // the live preview's place
};

struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A control's place in its container (see container_of).
struct Placement {
  int id;
  Twips twips;
};

// The container of a control: kIdPanel for the music group's controls (from
// kIdHeading), kIdPicturePanel for the picture group's (from
// kIdPictureHeading), else 0, the dialog itself.
int container_of(int id);

// The client area of the dialog: the music group, below it the picture
// group, and below that the web address, OK and Cancel. At 192 dpi it still
// fits a screen of 768 pixels with its title bar.
inline constexpr int kClientWidthTwips = 7440;
inline constexpr int kClientHeightTwips = 5385;
// The outlines Shape3(3) around the headings, drawn by their panels.
inline constexpr Twips kHeadingOutline = {300, 300, 1695, 315};
inline constexpr Twips kPictureHeadingOutline = {300, 120, 1695, 315};

// The picture group's edges lie on multiples of 60 twips, whole pixels at 96,
// 120 and 192 dpi; the group moves everything below it by 1740 twips.
inline constexpr std::array<Placement, 31> kPlacements = {{
    {kIdPanel, {180, 240, 7035, 2475}},
    {kIdPicturePanel, {180, 2835, 7035, 1620}},
    {kIdUrl, {180, 4860, 3105, 195}},
    {kIdSet, {4860, 4740, 1155, 375}},
    {kIdCancel, {6060, 4740, 1155, 375}},
    {kIdMarkSource0, {8040, 300, 180, 180}},
    {kIdMarkSource1, {8040, 600, 180, 180}},
    {kIdHeading, {300, 360, 1665, 195}},
    {kIdMark0 + 1, {420, 840, 195, 195}},
    {kIdKindLabel0 + 1, {660, 840, 645, 195}},
    {kIdRepeat, {1680, 780, 615, 300}},
    {kIdRepeatCaption, {2340, 840, 990, 195}},
    {kIdMark0 + 0, {420, 1140, 195, 195}},
    {kIdKindLabel0 + 0, {660, 1140, 330, 195}},
    {kIdMark0 + 2, {420, 1440, 195, 195}},
    {kIdKindLabel0 + 2, {660, 1440, 900, 195}},
    {kIdFileButton, {420, 1740, 615, 315}},
    {kIdFileLabel, {1080, 1740, 5595, 495}},
    {kIdPictureHeading, {300, 180, 1665, 195}},
    {kIdSpeedCaption, {420, 600, 480, 195}},
    {kIdSpeed, {960, 540, 1380, 300}},
    {kIdDensityCaption, {2460, 600, 480, 195}},
    {kIdDensity, {3000, 540, 1080, 300}},
    {kIdFrameRateCaption, {420, 960, 1080, 195}},
    {kIdFrameRateLimit, {1560, 900, 1740, 300}},
    {kIdColourSwatch, {3360, 900, 300, 300}},
    {kIdColourButton, {3720, 900, 900, 300}},
    {kIdShowFrameRate, {420, 1260, 1620, 240}},
    {kIdEndOnInput, {2160, 1260, 2160, 240}},
    {kIdLivePreview, {4800, 120, 1920, 1080}},
    {kIdDefaults, {3240, 120, 1380, 315}},
}};

// The placement of a control; nothing for an unknown identifier.
std::optional<Twips> placement_of(int id);

// The edges converted, each to its nearest pixel, so that controls that meet
// in twips meet in pixels at any dpi.
PixelRect to_pixels(const Twips& twips, Dpi dpi);

// The outer window's top-left corner that centres it horizontally and puts it
// one third of the free height from the top, worked out in twips as the
// dialog does: each difference rounded to whole twips, then divided with the
// division that truncates toward zero.
struct Point {
  int x = 0;
  int y = 0;
};
Point centred_position(int screen_width, int screen_height, int window_width, int window_height, Dpi dpi);

// The height in pixels of the dialog's 9.75-point font (negative: character
// height, as a font request takes it).
int font_height(int dots_per_inch);

}  // namespace tessarine::shell::dialog
