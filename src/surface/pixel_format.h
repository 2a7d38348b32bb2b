#pragma once
// The pixel formats a bitmap can have, and how their rows are laid out in memory.
#include <cstddef>
#include <cstdint>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// Bits one pixel takes in memory. pfDevice is stored like pf32bit (blue, green, red, spare).
int BitsPerPixel(TPixelFormat f);

// Formats of 8 bits or fewer hold palette indices.
inline bool IsIndexed(TPixelFormat f) { return f == pf1bit || f == pf4bit || f == pf8bit; }

// Bytes of one row: whole 32-bit words, as in bitmap files, so a row can be written as it is.
inline std::size_t RowStride(TPixelFormat f, int width) {
  return ((std::size_t(width) * BitsPerPixel(f) + 31) / 32) * 4;
}

// All bits of a raw pixel value of this format (the and/xor masks of the mix modes use it).
inline std::uint32_t RawMask(TPixelFormat f) {
  switch (BitsPerPixel(f)) {
    case 1: return 0x1;
    case 4: return 0xF;
    case 8: return 0xFF;
    case 16: return f == pf15bit ? 0x7FFF : 0xFFFF;
    default: return 0xFFFFFF;
  }
}
