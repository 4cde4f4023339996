// Pictures embedded in the program (JPEG or BMP bytes), decoded with WIC into
// 24-bit device-independent bitmaps.
#pragma once

#include <windows.h>

#include <cstddef>

#include "win32_gdi.h"

namespace tessarine::picture {

// Decodes an image held in memory; an empty bitmap when it cannot be decoded.
gdi::Bitmap decode(const unsigned char* bytes, size_t size);

// Width and height of a bitmap in pixels (0, 0 when empty).
SIZE size_of(HBITMAP bitmap);

}  // namespace tessarine::picture
