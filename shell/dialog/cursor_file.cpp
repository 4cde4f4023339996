// .cur files: a 6-byte directory header, 16-byte entries, then the images.
#include "cursor_file.h"

namespace tessarine::shell::dialog {

namespace {

uint32_t u16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t u32(const uint8_t* p) { return u16(p) | u16(p + 2) << 16; }

}  // namespace

std::optional<CursorImage> read_cursor_file(const uint8_t* bytes, size_t size) {
  constexpr size_t kHeader = 6;
  constexpr size_t kEntry = 16;
  if (!bytes || size < kHeader + kEntry) return std::nullopt;
  if (u16(bytes) != 0 || u16(bytes + 2) != 2 || u16(bytes + 4) == 0) return std::nullopt;
  const uint8_t* entry = bytes + kHeader;
  const size_t image_size = u32(entry + 8);
  const size_t offset = u32(entry + 12);
  if (offset > size || image_size > size - offset || image_size < 40) return std::nullopt;

  CursorImage image;
  image.width = entry[0] == 0 ? 256 : entry[0];
  image.height = entry[1] == 0 ? 256 : entry[1];
  image.hot_x = static_cast<int>(u16(entry + 4));
  image.hot_y = static_cast<int>(u16(entry + 6));
  image.resource = {entry[4], entry[5], entry[6], entry[7]};
  image.resource.insert(image.resource.end(), bytes + offset, bytes + offset + image_size);
  return image;
}

}  // namespace tessarine::shell::dialog
