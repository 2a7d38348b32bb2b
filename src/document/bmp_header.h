#pragma once
// The headers of a Windows bitmap file: the file header, one of the info headers (OS/2 1.x core
// header of 12 bytes, OS/2 2.x of 16 or 64 bytes, BITMAPINFOHEADER of 40 and its V2, V3, V4 and
// V5 successors of 52, 56, 108 and 124 bytes), the colour masks and the palette.
//
// ParseBmpHeader checks everything that can be checked before the pixels: the sizes it returns
// are consistent with the data length, so a caller may allocate from them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "surface/color.h"

// How the pixel data is stored. Bit fields covers BI_BITFIELDS and BI_ALPHABITFIELDS.
enum class BmpCompression { kNone, kRle8, kRle4, kBitFields };

struct BmpHeader {
  int width = 0;        // > 0
  int height = 0;       // > 0, whatever the direction
  bool topDown = false; // rows stored top row first (negative height in the file)
  int bitCount = 0;     // 1, 2, 4, 8, 16, 24 or 32
  BmpCompression compression = BmpCompression::kNone;
  // Red, green and blue masks of 16 and 32-bit pixels (the file's, or the defaults 5-5-5 and
  // 8-8-8): each non-zero, contiguous, within the pixel and not overlapping the others.
  std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
  // Colours of indexed pixels (1 to 2^bitCount entries); empty for 16 bits and more.
  std::vector<TColor> palette;
  // The pixel data: starts at pixelOffset, pixelBytes long, both inside the data.
  std::size_t pixelOffset = 0;
  std::size_t pixelBytes = 0;
  // Bytes of one stored row of uncompressed pixels, rows padded to 32-bit words.
  std::size_t FileStride() const { return ((std::size_t(width) * bitCount + 31) / 32) * 4; }
};

// The one error of the bitmap reader, with the text the user sees.
[[noreturn]] void ThrowInvalidBmp();

// Reads and checks the headers of a bitmap file of size bytes. For uncompressed pixels it
// guarantees that FileStride() * height bytes lie at pixelOffset. Throws EInvalidGraphic.
BmpHeader ParseBmpHeader(const std::uint8_t* data, std::size_t size);

// Little-endian fields of the file.
inline std::uint16_t ReadLe16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
