// Reading a .cur file's first image into the form that a cursor is built
// from: the hot spot followed by the image's bitmap bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessarine::shell::dialog {

struct CursorImage {
  int width = 0;
  int height = 0;
  int hot_x = 0;
  int hot_y = 0;
  // Two 16-bit little-endian words (hot spot x, y), then the bitmap header,
  // colours and masks: what CreateIconFromResourceEx takes for a cursor.
  std::vector<uint8_t> resource;
};

// The first image of a .cur file; nothing when the bytes are no cursor file
// or its directory points outside them.
std::optional<CursorImage> read_cursor_file(const uint8_t* bytes, size_t size);

}  // namespace tessarine::shell::dialog
