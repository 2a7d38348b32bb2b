#pragma once
// Pens wider than one pixel: round ends and joins, centred on the path, end points included.
//
// A wide path is the union of a disc at its points and a band along each segment, so each
// pixel is drawn once even where the path crosses itself. The band of a segment is the
// quadrilateral whose short sides cross the end points at right angles, its half widths
// rounded to whole pixels (the half towards the upper left gets the extra pixel of odd widths).
#include <array>
#include <vector>

#include "surface/geometry.h"

class SpanList;
class SpanPainter;

// The round pen tip of a width: rows Top()..Bottom()-1 relative to the point, each row the
// pixels Left(dy)..Right(dy)-1 relative to it.
class PenDisc {
 public:
  explicit PenDisc(int width);
  int Top() const { return top_; }
  int Bottom() const { return top_ + int(left_.size()); }
  int Left(int dy) const { return left_[std::size_t(dy - top_)]; }
  int Right(int dy) const { return right_[std::size_t(dy - top_)]; }

 private:
  int top_;
  std::vector<int> left_, right_;
};

// The area a segment's band covers: a rectangle when the segment is horizontal or vertical,
// else a quadrilateral (corners in path order around it). Empty for a zero-length segment.
struct PenBand {
  bool empty = true;
  bool isRect = false;
  TRect rect;
  std::array<TPoint, 4> quad;
};
PenBand SegmentBand(TPoint a, TPoint b, int width);

// Adds the pixels of the pen along points (count >= 2), back to the first point when closed.
void AddWidePath(SpanList& out, const std::vector<TPoint>& points, bool closed, const PenDisc& disc,
                 int width);

// Paints one open segment a..b (both ends round) straight through the painter: the same pixels
// as AddWidePath over the two points, without collecting them.
void PaintWideSegment(SpanPainter& painter, TPoint a, TPoint b, const PenDisc& disc, int width);
