// The geometry and colours of a `Command` paint: the eight frame pieces cut
// from a 64 x 25 look image, the caption's place and the face gradient.
// Platform-free; lengths in twips unless named pixels.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "pixel_rect.h"
#include "twips.h"

namespace tessarine::button {

inline constexpr double kFrameDepth = 60;      // 4 picture pixels
inline constexpr double kPictureWidth = 960;   // 64 pixels
inline constexpr double kPictureHeight = 375;  // 25 pixels
inline constexpr int kPictureDpi = 96;  // the look images' own 15 twips to the pixel
inline constexpr double kLabelHeight = 195;  // one text line as laid out
inline constexpr double kCaptionLift = 20;
inline constexpr int kPictureWidthPixels = 64;
inline constexpr int kPictureHeightPixels = 25;

using shell::PixelRect;

// One piece: where it is cut from the look image and where it goes on the
// surface, both in pixels.
struct FramePiece {
  PixelRect source;
  PixelRect destination;
};

// The eight pieces in paint order (corners top-left, top edge, top-right,
// right edge, bottom-right, bottom edge, bottom-left, left edge) for a control
// of `width` x `height` twips on a screen of the given dpi. A piece is left
// out when its edge length, rounded to whole twips (halves to even), does not
// fit 16 bits or is not positive (a button narrower or lower than the two
// corners).
std::array<std::optional<FramePiece>, 8> frame_pieces(double width, double height, shell::Dpi dpi);

// Top of the caption label in twips: centred, lifted by kCaptionLift.
double caption_top(double height, double label_height = kLabelHeight);

// A face colour for the platform's gradient: 16-bit channels with the 8-bit
// value in the high byte.
struct GradientColour {
  std::uint16_t red = 0;
  std::uint16_t green = 0;
  std::uint16_t blue = 0;
  friend bool operator==(const GradientColour&, const GradientColour&) = default;
};

// A colour kept as hex text ("&HC6C5D7"): pairs in reading order are red,
// green, blue. Nothing when the text is not of that form.
std::optional<GradientColour> gradient_colour(const std::wstring& text);

inline const std::wstring kFaceLight = L"&HFFFFFF";
inline const std::wstring kFaceShade = L"&HC6C5D7";

// Top and bottom colours of the face: white over the shade, or the reverse.
struct FaceGradient {
  GradientColour top;
  GradientColour bottom;
};
FaceGradient face_gradient(bool inverted);

}  // namespace tessarine::button
