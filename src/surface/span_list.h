#pragma once
// A set of pixels collected as row spans, for figures built from several pieces (a wide pen's
// discs and bands, a fill minus its outline) that must touch each pixel only once.
//
// Spans are clipped to the rectangle given at construction as they are added, so a piece far
// outside the bitmap costs nothing per pixel.
#include <cstdint>
#include <vector>

#include "surface/geometry.h"
#include "surface/raster_math.h"

class SpanPainter;

struct RowSpan {
  int y;
  int x0;  // first pixel
  int x1;  // one past the last pixel
};

class SpanList {
 public:
  explicit SpanList(const TRect& clip) : clip_(clip) {}

  const TRect& Clip() const { return clip_; }
  // The clip rows that rows top..bottom-1 overlap, as [first, last) (may be empty).
  int FirstRow(RasterWide top) const { return ClampToInt(top, clip_.Top, clip_.Bottom); }
  int EndRow(RasterWide bottom) const { return ClampToInt(bottom, clip_.Top, clip_.Bottom); }

  // Adds x0..x1-1 of row y; anything outside the clip is dropped.
  void Add(int y, RasterWide x0, RasterWide x1);
  // Sorts the spans and merges those that overlap or touch, so each pixel is held once.
  void Normalize();
  // Removes the pixels of other; both lists must be normalized. The result stays normalized.
  void Subtract(const SpanList& other);

  void Paint(SpanPainter& painter) const;
  const std::vector<RowSpan>& Spans() const { return spans_; }

 private:
  TRect clip_;
  std::vector<RowSpan> spans_;
};
