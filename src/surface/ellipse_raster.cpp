#include "surface/ellipse_raster.h"

#include <cstdint>

namespace {

// Error terms of the midpoint walk along a quarter ellipse with axes width-1 and height-1,
// starting at the widest row and moving outwards row by row.
struct QuarterWalk {
  std::int64_t dx, dy, err, asq, bsq;

  QuarterWalk(int width, int height) {
    const std::int64_t a = width - 1, b = height - 1;
    asq = 8 * a * a;
    bsq = 8 * b * b;
    dx = 4 * b * b * (1 - a);
    dy = 4 * a * a * (1 + (b % 2));
    err = dx + dy + a * a * (b % 2);
  }
  // Advances one step; says which coordinates moved.
  void Step(bool& inward, bool& outward) {
    const std::int64_t e2 = 2 * err;
    inward = e2 >= dx;
    outward = e2 <= dy;
    if (inward) err += dx += bsq;
    if (outward) err += dy += asq;
  }
};

// The coordinate v reflected within lo..hi-1 (64-bit on the way: lo + hi may not fit an int).
int mirror(int lo, int hi, int v) { return int(std::int64_t(lo) + hi - 1 - v); }

}  // namespace

RoundRectShape::RoundRectShape(const TRect& box, int cornerW, int cornerH)
    : box_(box), cornerH_(cornerH), inset_(std::size_t(cornerH), box.Width()) {
  // Narrow tall corners end the walk before their last rows: those rows stay empty.
  QuarterWalk walk(cornerW, cornerH);
  int x = 0, y = cornerH / 2;
  inset_[std::size_t(y)] = 0;
  while (x <= cornerW / 2) {
    bool inward, outward;
    walk.Step(inward, outward);
    if (inward) ++x;
    if (outward && ++y < cornerH) inset_[std::size_t(y)] = x;
  }
}

int RoundRectShape::inset(int y) const {
  const int fromTop = y - box_.Top;
  if (fromTop < cornerH_ / 2) return inset_[std::size_t(cornerH_ - 1 - fromTop)];
  const int fromCornerStart = y - (box_.Bottom - cornerH_);
  return fromCornerStart > cornerH_ / 2 ? inset_[std::size_t(fromCornerStart)] : 0;
}

std::vector<TPoint> RoundRectOutline(const TRect& box, int cornerW, int cornerH) {
  // One quarter, from the widest row of the corner towards its top, then mirrored twice.
  std::vector<TPoint> quarter;
  QuarterWalk walk(cornerW, cornerH);
  TPoint pt{cornerW - 1, cornerH / 2};
  while (pt.X >= cornerW / 2) {
    quarter.push_back(pt);
    bool inward, outward;
    walk.Step(inward, outward);
    if (inward) --pt.X;
    if (outward) ++pt.Y;
  }
  std::size_t count = quarter.size();
  std::vector<TPoint> pts(4 * count);
  for (std::size_t i = 0; i < count; ++i)
    pts[i] = TPoint{box.Right - cornerW + quarter[i].X, box.Top + cornerH - 1 - quarter[i].Y};
  // A figure of odd size whose corners meet has its middle column and row once, not twice.
  std::size_t end = 2 * count - 1;
  if (cornerW % 2 && cornerW == box.Width()) --end;
  for (std::size_t i = 0; i < count; ++i) pts[end - i] = TPoint{mirror(box.Left, box.Right, pts[i].X), pts[i].Y};
  count = end + 1;
  end = 2 * count - 1;
  if (cornerH % 2 && cornerH == box.Height()) --end;
  for (std::size_t i = 0; i < count; ++i) pts[end - i] = TPoint{pts[i].X, mirror(box.Top, box.Bottom, pts[i].Y)};
  pts.resize(end + 1);
  return pts;
}
