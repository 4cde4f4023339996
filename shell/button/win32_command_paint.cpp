// Drawing the `Command` button with GDI: the six look images, decoded once for
// the process, the face gradient and the caption label.
#include "win32_command_paint.h"

#include <cmath>
#include <iterator>

#include "command_paint.h"
#include "embedded.h"
#include "win32_dpi.h"
#include "win32_picture.h"

TESSARINE_EMBEDDED(kLookNormal);
TESSARINE_EMBEDDED(kLookHighLight);
TESSARINE_EMBEDDED(kLookHighLightSelect);
TESSARINE_EMBEDDED(kLookSelected);
TESSARINE_EMBEDDED(kLookPressed);
TESSARINE_EMBEDDED(kLookDisable);

namespace tessarine::button {
namespace {

constexpr Look kLooks[] = {Look::Normal, Look::HighLight, Look::HighLightSelect,
                           Look::Selected, Look::Pressed, Look::Disable};

// The six pictures, decoded once for the process and kept for its life.
HBITMAP look_picture(Look look) {
  static gdi::Bitmap pictures[std::size(kLooks)];
  static bool decoded = false;
  if (!decoded) {
    decoded = true;
    for (Look each : kLooks) {
      const LookFile file = look_file(each);
      pictures[static_cast<int>(each)] = picture::decode(file.bytes, file.size);
    }
  }
  return pictures[static_cast<int>(look)].get();
}

TRIVERTEX vertex(LONG x, LONG y, const GradientColour& colour) {
  TRIVERTEX v = {};
  v.x = x;
  v.y = y;
  v.Red = colour.red;
  v.Green = colour.green;
  v.Blue = colour.blue;
  v.Alpha = 0;
  return v;
}

void fill_gradient(HDC dc, const RECT& area, bool inverted) {
  const FaceGradient colours = face_gradient(inverted);
  TRIVERTEX vertices[2] = {vertex(area.left, area.top, colours.top),
                           vertex(area.right - 1, area.bottom - 1, colours.bottom)};
  GRADIENT_RECT rect = {0, 1};
  GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void draw_frame(HDC dc, const RECT& area, Look look, shell::Dpi dpi) {
  gdi::MemoryDc picture_dc(dc);
  gdi::Selection picture(picture_dc.get(), look_picture(look));
  if (!picture_dc || !look_picture(look)) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  const double width = shell::to_twips(area.right - area.left, dpi.x);
  const double height = shell::to_twips(area.bottom - area.top, dpi.y);
  for (const auto& piece : frame_pieces(width, height, dpi)) {
    if (!piece) continue;
    const PixelRect& from = piece->source;
    const PixelRect& to = piece->destination;
    StretchBlt(dc, area.left + to.left, area.top + to.top, to.width, to.height, picture_dc.get(), from.left, from.top,
               from.width, from.height, SRCCOPY);
  }
}

}  // namespace

LookFile look_file(Look look) {
  switch (look) {
    case Look::Normal: return {kLookNormal, kLookNormal_size};
    case Look::HighLight: return {kLookHighLight, kLookHighLight_size};
    case Look::HighLightSelect: return {kLookHighLightSelect, kLookHighLightSelect_size};
    case Look::Selected: return {kLookSelected, kLookSelected_size};
    case Look::Pressed: return {kLookPressed, kLookPressed_size};
    case Look::Disable: return {kLookDisable, kLookDisable_size};
  }
  return {};
}

void paint_face(HDC dc, const RECT& area, Look look, bool inverted, shell::Dpi dpi) {
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  fill_gradient(dc, area, inverted);
  draw_frame(dc, area, look, dpi);
}

void paint_caption(HDC dc, const RECT& area, const CaptionLabel& label) {
  const int label_height = shell::to_pixels(kLabelHeight, shell::screen_dpi().y);
  RECT line = gdi::to_rect({area.left, area.top + label.top, area.right - area.left, label_height});
  gdi::Selection font(dc, label.font);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring& text = label.text;
  if (label.enabled) {
    SetTextColor(dc, label.colour & 0xFFFFFF);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    return;
  }
  // The platform's disabled-text style, centred as the label centres.
  RECT extent = line;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
  const int width = extent.right - extent.left;
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()),
             area.left + (area.right - area.left - width) / 2, line.top, width, extent.bottom - extent.top,
             DST_PREFIXTEXT | DSS_DISABLED);
}

FontSpec font_spec_of(HFONT font) {
  FontSpec font_spec;
  LOGFONTW description = {};
  if (!font || !GetObjectW(font, sizeof description, &description)) return font_spec;
  font_spec.face = description.lfFaceName;
  const int height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
  if (height > 0) font_spec.points = std::round(height * 72.0 / shell::screen_dpi().y * 4) / 4;
  font_spec.weight = description.lfWeight ? static_cast<int>(description.lfWeight) : FW_NORMAL;
  font_spec.italic = description.lfItalic != 0;
  font_spec.underline = description.lfUnderline != 0;
  font_spec.strikethrough = description.lfStrikeOut != 0;
  font_spec.charset = description.lfCharSet;
  return font_spec;
}

gdi::Font make_font(const FontSpec& font_spec) {
  LOGFONTW description = {};
  description.lfHeight = -static_cast<LONG>(std::lround(font_spec.points * shell::screen_dpi().y / 72.0));
  description.lfWeight = font_spec.weight;
  description.lfItalic = font_spec.italic;
  description.lfUnderline = font_spec.underline;
  description.lfStrikeOut = font_spec.strikethrough;
  description.lfCharSet = static_cast<BYTE>(font_spec.charset);
  lstrcpynW(description.lfFaceName, font_spec.face.c_str(), LF_FACESIZE);
  return gdi::Font(CreateFontIndirectW(&description));
}

FontSpec ambient_font_of(HWND host) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(host, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return font_spec_of(font);
}

}  // namespace tessarine::button
