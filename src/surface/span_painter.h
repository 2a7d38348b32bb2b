#pragma once
// The one place where drawing writes pixels: horizontal spans mixed into the picture.
//
// Every figure is turned into spans (one row, x0..x1-1) and handed to a SpanPainter, which
// clips them and combines each pixel d with the ink as (d & andMask) ^ xorMask on raw values.
// All sixteen mix modes have such a pair, so one loop per pixel format serves them all.
#include <cstdint>

#include "surface/bitmap.h"
#include "surface/canvas_types.h"
#include "surface/geometry.h"

struct RopMasks {
  std::uint32_t andMask = 0;
  std::uint32_t xorMask = 0;
  std::uint32_t apply(std::uint32_t d) const { return (d & andMask) ^ xorMask; }
};

// The mask pair that mixes raw value v into a pixel with mode; allBits covers the format.
RopMasks MixMasks(TPenMode mode, std::uint32_t v, std::uint32_t allBits);

// What a span writes at each pixel: an 8x8 tile of mask pairs aligned to the bitmap origin
// plus an offset, and which cells of the tile are drawn at all (hatches leave the rest alone).
struct SpanInk {
  RopMasks cell[8][8];        // [row][column] of the tile
  std::uint8_t drawn[8] = {}; // bit c of drawn[r]: cell (c, r) is drawn
  int originX = 0;
  int originY = 0;
  bool uniform = false;       // every cell drawn with cell[0][0]

  static SpanInk Solid(RopMasks m);
};

// The raw value a pen or brush of colour c draws with on this bitmap. Indexed bitmaps take the
// nearest palette entry, except that a 1-bit bitmap draws any colour it does not hold exactly
// in the entry farther from white.
std::uint32_t InkRaw(const TBitmap& bmp, TColor c);

// Inks of a canvas's tools: the pen's colour and mode, and the brush (solid, hatched or patterned)
// with a mode.
SpanInk PenInk(const TBitmap& bmp, const TPen& pen);
SpanInk BrushInk(const TBitmap& bmp, const TBrush& brush, TPenMode mode, TPoint origin);

class SpanPainter {
 public:
  SpanPainter(TBitmap& bmp, const TRect& clip, const SpanInk& ink);

  // Mixes x0..x1-1 of row y; anything outside the clip rectangle is skipped.
  void Span(int y, int x0, int x1);
  void Pixel(int x, int y) { Span(y, x, x + 1); }
  const TRect& Clip() const { return clip_; }

 private:
  void uniformSpan(std::uint8_t* row, int x0, int x1);
  void tiledSpan(std::uint8_t* row, int y, int x0, int x1);

  TRect clip_;
  const SpanInk& ink_;
  std::uint8_t* bits_;
  std::size_t stride_;
  int bpp_;
};

// Reads and writes one raw pixel of a row of a format with bpp bits per pixel.
std::uint32_t ReadRaw(const std::uint8_t* row, int x, int bpp);
void WriteRaw(std::uint8_t* row, int x, int bpp, std::uint32_t v);
