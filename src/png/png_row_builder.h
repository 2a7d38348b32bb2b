#pragma once
// How each pixel format is written to PNG, and the building of PNG image rows from the
// scanlines of a bitmap.
//
//   pf1bit, pf4bit, pf8bit   palette (colour type 3) at 1, 4, 8 bits: the indices as stored
//   pf15bit, pf16bit         RGB at 8 bits: each 5- or 6-bit field widened by repeating its
//                            high bits in the low bits (31 -> 255, 0 -> 0)
//   pf24bit                  RGB at 8 bits: blue, green, red turned round
//   pf32bit, pfDevice        RGB at 8 bits: as pf24bit, the spare byte left out
#include <cstddef>
#include <cstdint>

#include "surface/bitmap.h"

class PngRowBuilder {
 public:
  // The image must outlive the builder and stay unchanged while rows are built.
  explicit PngRowBuilder(const TBitmap& image);

  int BitDepth() const { return bitDepth_; }
  int ColorType() const { return colorType_; }  // 2 RGB, 3 palette

  // Bytes of a PNG row of columns pixels, the filter byte not counted.
  std::size_t RowBytes(int columns) const;

  // Writes to out[0, RowBytes(columns)) the PNG row of the pixels x0, x0 + dx, ...
  // (columns of them) of image row y. Preconditions: 0 <= y < height, dx >= 1,
  // x0 + (columns - 1) * dx < width. A whole row (x0 0, dx 1) of an indexed image is its
  // scanline bytes unchanged, unused low bits of the last byte included; picked pixels of an
  // indexed image leave the unused bits of the last byte zero.
  void Build(int y, int x0, int dx, int columns, std::uint8_t* out) const;

  using BuildFunction = void (*)(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out);

 private:
  const TBitmap& image_;
  int bitDepth_;
  int colorType_;
  int channels_;
  BuildFunction build_;
};
