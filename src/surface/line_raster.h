#pragma once
// 1-px lines: from a to b, b left out, one pixel per step along the longer axis; the other
// coordinate is the nearest to the ideal line, an exact half going to the smaller coordinate.
// So a line and its reverse differ only in which end is left out.
#include <cstdint>

#include "surface/geometry.h"
#include "surface/span_painter.h"

class ThinLinePainter {
 public:
  // clip must lie within the bitmap; ink must be uniform (a pen ink).
  ThinLinePainter(TBitmap& bmp, const TRect& clip, const SpanInk& ink);

  void Line(TPoint a, TPoint b);
  // The dotted pen: 3 pixels on, 3 off, counted along the line from pattern position phase
  // (0..5), which moves on past the line; pixels of the gaps are left alone.
  void DottedLine(TPoint a, TPoint b, int& phase);

 private:
  template <bool kCopy>
  void fastLine(std::uint32_t* p, std::int64_t count, std::ptrdiff_t major, std::ptrdiff_t minor,
                std::int64_t g, std::int64_t twoK, std::int64_t twoD) const;

  TBitmap& bmp_;
  SpanPainter painter_;
  RopMasks masks_;
};
