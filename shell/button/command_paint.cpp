// Geometry and colours of a `Command` paint.
#include "command_paint.h"

#include <cwctype>

#include "number_text.h"

namespace tessarine::button {
namespace {

struct TwipsRect {
  double left, top, width, height;
};

using shell::to_pixels;

PixelRect picture_pixels(const TwipsRect& r) {
  return {to_pixels(r.left, kPictureDpi), to_pixels(r.top, kPictureDpi), to_pixels(r.width, kPictureDpi),
          to_pixels(r.height, kPictureDpi)};
}

}  // namespace

std::array<std::optional<FramePiece>, 8> frame_pieces(double width, double height, shell::Dpi dpi) {
  const double d = kFrameDepth;
  const double source_edge_x = kPictureWidth - 2 * d;   // 840
  const double source_edge_y = kPictureHeight - 2 * d;  // 255
  const std::optional<std::int16_t> edge_x = shell::nearest<std::int16_t>(width - 2 * d);
  const std::optional<std::int16_t> edge_y = shell::nearest<std::int16_t>(height - 2 * d);
  const bool has_x = edge_x && *edge_x > 0;
  const bool has_y = edge_y && *edge_y > 0;
  const double ex = has_x ? *edge_x : 0;
  const double ey = has_y ? *edge_y : 0;

  struct Row {
    TwipsRect source;
    TwipsRect destination;
    bool drawn;
  };
  const Row rows[8] = {
      {{0, 0, d, d}, {1, 1, d, d}, true},
      {{d, 1, source_edge_x, d}, {d, 1, ex, d}, has_x},
      {{kPictureWidth - d, 1, d, d}, {width - d, 1, d, d}, true},
      {{kPictureWidth - d, d, d, source_edge_y}, {width - d, d, d, ey}, has_y},
      {{kPictureWidth - d, kPictureHeight - d, d, d}, {width - d, height - d, d, d}, true},
      {{d, kPictureHeight - d, source_edge_x, d}, {d, height - d, ex, d}, has_x},
      {{0, kPictureHeight - d, d, d}, {1, height - d, d, d}, true},
      {{1, d, d, source_edge_y}, {1, d, d, ey}, has_y},
  };
  std::array<std::optional<FramePiece>, 8> pieces;
  for (int i = 0; i < 8; ++i) {
    if (!rows[i].drawn) continue;
    const TwipsRect& to = rows[i].destination;
    pieces[i] = FramePiece{picture_pixels(rows[i].source),
                           {to_pixels(to.left, dpi.x), to_pixels(to.top, dpi.y), to_pixels(to.width, dpi.x),
                            to_pixels(to.height, dpi.y)}};
  }
  return pieces;
}

double caption_top(double height, double label_height) { return (height - label_height - kCaptionLift) / 2.0; }

std::optional<GradientColour> gradient_colour(const std::wstring& text) {
  if (text.size() != 8 || text[0] != L'&' || (text[1] != L'H' && text[1] != L'h')) return std::nullopt;
  std::uint16_t channels[3] = {};
  for (int i = 0; i < 3; ++i) {
    unsigned value = 0;
    for (int j = 0; j < 2; ++j) {
      const wchar_t c = text[2 + 2 * i + j];
      if (!std::iswxdigit(static_cast<wint_t>(c))) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(std::iswdigit(static_cast<wint_t>(c))
                                                     ? c - L'0'
                                                     : std::towupper(static_cast<wint_t>(c)) - L'A' + 10);
    }
    channels[i] = static_cast<std::uint16_t>(value << 8);
  }
  return GradientColour{channels[0], channels[1], channels[2]};
}

FaceGradient face_gradient(bool inverted) {
  const GradientColour light = gradient_colour(kFaceLight).value_or(GradientColour{0xFF00, 0xFF00, 0xFF00});
  const GradientColour shade = gradient_colour(kFaceShade).value_or(GradientColour{0xC600, 0xC500, 0xD700});
  return inverted ? FaceGradient{shade, light} : FaceGradient{light, shade};
}

}  // namespace tessarine::button
