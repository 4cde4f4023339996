// Declares a file embedded with tessarine_embed: SYMBOL[] and SYMBOL_size.
#pragma once

#include <cstddef>

#define TESSARINE_EMBEDDED(symbol)           \
  extern const unsigned char symbol[];       \
  extern const std::size_t symbol##_size

