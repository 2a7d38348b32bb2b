#pragma once
// The IHDR chunk of a PNG file, and the bitmap a decoded image becomes.
#include <cstddef>
#include <cstdint>

#include "surface/pixel_format.h"

enum class PngColorKind { Grey, Rgb, Palette };

struct PngHeader {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  PngColorKind kind = PngColorKind::Grey;
  bool alpha = false;
  bool interlaced = false;

  // Samples of one pixel: grey 1, grey with alpha 2, RGB 3, RGBA 4, palette 1.
  int Channels() const;
  int BitsPerPixel() const { return Channels() * bitDepth; }
  // Bytes from one pixel to the same byte of the previous one, as the row filters count them.
  int FilterStep() const { return BitsPerPixel() >= 8 ? BitsPerPixel() / 8 : 1; }
  // Bytes of a row of that many pixels, without its filter byte.
  std::size_t RowBytes(int columns) const { return (std::size_t(columns) * std::size_t(BitsPerPixel()) + 7) / 8; }
};

// Reads the 13 bytes of IHDR. Raises DEZOZIR for a colour type whose low three bits are 1, 5
// or 7, or a compression, filter or interlace method above 1. Bit depths are not checked here.
PngHeader ParsePngHeader(const std::uint8_t (&data)[13]);

// The bitmap format an image decodes into: pf1bit, pf4bit, pf8bit or pf24bit, and pf32bit in
// place of pf24bit when wideRgb is set. Raises DEZOZIR for a bit depth its colour type does not
// take. This is where the bit depth is first checked, when the image data starts.
TPixelFormat PngOutputFormat(const PngHeader& h, bool wideRgb);
