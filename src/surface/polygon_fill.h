#pragma once
// Scan conversion of polygons into row spans, with the pixel rule of the program's regions:
// a pixel (x, y) is inside when its point lies inside the polygon, taking on each row the pixels
// from ceil(x) of an edge where the polygon is entered up to (not including) ceil(x) of the edge
// where it is left. An edge covers the rows from its upper end up to, not including, its lower
// end; horizontal edges cover none. So a polygon covers [left edge, right edge) x [top, bottom).
#include <cstddef>
#include <cstdint>

#include "surface/geometry.h"
#include "surface/raster_math.h"

class SpanList;

// The x where an edge crosses successive rows, rounded up: x = ceil(xTop + (y - yTop) * dx / dy).
struct EdgeStepper {
  std::int64_t x = 0;
  std::int64_t e = 0;   // x * dy minus the exact crossing times dy, in [0, dy)
  std::int64_t q = 0;   // floor(dx / dy)
  std::int64_t r = 0;   // dx - q * dy
  std::int64_t dy = 1;

  // Starts at row y of the edge from top to bottom (top.Y < bottom.Y).
  void Start(TPoint top, TPoint bottom, int y);
  void Step() {
    x += q;
    e -= r;
    if (e < 0) {
      ++x;
      e += dy;
    }
  }
};

// Adds the pixels of the closed polygon through count points (count >= 2) to out, with the
// alternate (even-odd) rule or the winding (non-zero) rule.
void AddPolygon(SpanList& out, const TPoint* points, std::size_t count, bool winding);
