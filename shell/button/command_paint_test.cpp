// Frame pieces, caption place and face colours of a paint.
#include "command_paint.h"

#include <gtest/gtest.h>

#include "number_text.h"

namespace tessarine::button {
namespace {

std::array<PixelRect, 8> destinations(int width_pixels, int height_pixels, int dpi = 96) {
  std::array<PixelRect, 8> result;
  const auto pieces =
      frame_pieces(shell::to_twips(width_pixels, dpi), shell::to_twips(height_pixels, dpi), {dpi, dpi});
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(pieces[i].has_value()) << "piece " << i;
    if (pieces[i]) result[i] = pieces[i]->destination;
  }
  return result;
}

TEST(CommandFrame, AtThePictureSizeEveryPieceIsCopiedOneToOne) {
  const auto pieces = frame_pieces(960, 375, {});
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(pieces[i]);
    EXPECT_EQ(pieces[i]->source, pieces[i]->destination);
  }
  // Together they cover the 4-pixel ring of the 64 x 25 picture.
  EXPECT_EQ(pieces[0]->source, (PixelRect{0, 0, 4, 4}));
  EXPECT_EQ(pieces[1]->source, (PixelRect{4, 0, 56, 4}));
  EXPECT_EQ(pieces[2]->source, (PixelRect{60, 0, 4, 4}));
  EXPECT_EQ(pieces[3]->source, (PixelRect{60, 4, 4, 17}));
  EXPECT_EQ(pieces[4]->source, (PixelRect{60, 21, 4, 4}));
  EXPECT_EQ(pieces[5]->source, (PixelRect{4, 21, 56, 4}));
  EXPECT_EQ(pieces[6]->source, (PixelRect{0, 21, 4, 4}));
  EXPECT_EQ(pieces[7]->source, (PixelRect{0, 4, 4, 17}));
}

TEST(CommandFrame, ALargerButtonKeepsItsCornersAndStretchesOnlyTheEdges) {
  const auto d = destinations(117, 28);
  EXPECT_EQ(d[0], (PixelRect{0, 0, 4, 4}));
  EXPECT_EQ(d[1], (PixelRect{4, 0, 109, 4}));
  EXPECT_EQ(d[2], (PixelRect{113, 0, 4, 4}));
  EXPECT_EQ(d[3], (PixelRect{113, 4, 4, 20}));
  EXPECT_EQ(d[4], (PixelRect{113, 24, 4, 4}));
  EXPECT_EQ(d[5], (PixelRect{4, 24, 109, 4}));
  EXPECT_EQ(d[6], (PixelRect{0, 24, 4, 4}));
  EXPECT_EQ(d[7], (PixelRect{0, 4, 4, 20}));
}

TEST(CommandFrame, OnADenserScreenTheTwipsCornersGrowInPixels) {
  // 120 dots per inch: 12 twips to the pixel, so 60 twips are 5 pixels.
  const auto d = destinations(100, 30, 120);
  EXPECT_EQ(d[0], (PixelRect{0, 0, 5, 5}));
  EXPECT_EQ(d[4], (PixelRect{95, 25, 5, 5}));
  EXPECT_EQ(d[1].width, 90);
  // 192: 7.5 twips to the pixel; an odd width still closes the frame.
  const auto at_192 = destinations(155, 50, 192);
  EXPECT_EQ(at_192[0], (PixelRect{0, 0, 8, 8}));
  EXPECT_EQ(at_192[1].right(), at_192[2].left);
  EXPECT_EQ(at_192[2], (PixelRect{147, 0, 8, 8}));
}

TEST(CommandFrame, ButtonsTooSmallOrTooLargeForAnEdgeDrawOnlyTheCorners) {
  for (const auto& [width, height] : {std::pair{105.0, 375.0}, std::pair{960.0, 120.0}, std::pair{40000.0, 375.0}}) {
    const auto pieces = frame_pieces(width, height, {});
    const bool has_x = width > 120 && width < 32000;
    const bool has_y = height > 120;
    EXPECT_EQ(pieces[1].has_value(), has_x) << width;
    EXPECT_EQ(pieces[5].has_value(), has_x) << width;
    EXPECT_EQ(pieces[3].has_value(), has_y) << height;
    EXPECT_EQ(pieces[7].has_value(), has_y) << height;
    for (int corner : {0, 2, 4, 6}) EXPECT_TRUE(pieces[corner].has_value());
  }
}

TEST(CommandFrame, EdgeLengthsRoundHalvesToEven) {
  EXPECT_EQ(shell::nearest<std::int16_t>(840.5), 840);
  EXPECT_EQ(shell::nearest<std::int16_t>(841.5), 842);
  EXPECT_EQ(shell::nearest<std::int16_t>(-0.5), 0);
  EXPECT_EQ(shell::nearest<std::int16_t>(32767.4), 32767);
  EXPECT_EQ(shell::nearest<std::int16_t>(32767.5), std::nullopt);
  EXPECT_EQ(shell::nearest<std::int16_t>(-32768.6), std::nullopt);
}

TEST(CommandCaption, SitsTenTwipsAboveTheMiddle) {
  EXPECT_DOUBLE_EQ(caption_top(375), 80.0);
  EXPECT_DOUBLE_EQ(caption_top(420), 102.5);
  EXPECT_DOUBLE_EQ(caption_top(375) + kLabelHeight / 2, 375 / 2.0 - 10);
}

TEST(CommandFace, ColoursTakeHexPairsInReadingOrderIntoTheHighByte) {
  EXPECT_EQ(gradient_colour(L"&HC6C5D7"), (GradientColour{0xC600, 0xC500, 0xD700}));
  EXPECT_EQ(gradient_colour(L"&hffffff"), (GradientColour{0xFF00, 0xFF00, 0xFF00}));
  EXPECT_EQ(gradient_colour(L"&H12345"), std::nullopt);
  EXPECT_EQ(gradient_colour(L"#C6C5D7"), std::nullopt);
  EXPECT_EQ(gradient_colour(L"&HC6C5DG"), std::nullopt);
  const FaceGradient upright = face_gradient(false);
  const FaceGradient inverted = face_gradient(true);
  EXPECT_EQ(upright.top, (GradientColour{0xFF00, 0xFF00, 0xFF00}));
  EXPECT_EQ(upright.bottom, (GradientColour{0xC600, 0xC500, 0xD700}));
  EXPECT_EQ(inverted.top, upright.bottom);
  EXPECT_EQ(inverted.bottom, upright.top);
}

}  // namespace
}  // namespace tessarine::button
