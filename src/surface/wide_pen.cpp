#include "surface/wide_pen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "surface/ellipse_raster.h"
#include "surface/polygon_fill.h"
#include "surface/span_list.h"

PenDisc::PenDisc(int width) : top_(-(width / 2)) {
  const int far = (width + 1) / 2;
  const RoundRectShape shape(TRect{top_, top_, far, far}, width, width);
  for (int y = top_; y < far; ++y) {
    left_.push_back(shape.Left(y));
    right_.push_back(shape.Right(y));
  }
}

namespace {

// Whole-pixel halves of a length, rounded to nearest with halves away from zero.
int roundHalf(double v) { return int(v + 0.5); }

}  // namespace

PenBand SegmentBand(TPoint a, TPoint b, int width) {
  PenBand band;
  const std::int64_t dx = std::int64_t(b.X) - a.X, dy = std::int64_t(b.Y) - a.Y;
  if (dx == 0 && dy == 0) return band;
  band.empty = false;
  if (dy == 0 || dx == 0) {
    band.isRect = true;
    if (dy == 0)
      band.rect = TRect{std::min(a.X, b.X), a.Y - width / 2, std::max(a.X, b.X), a.Y - width / 2 + width};
    else
      band.rect = TRect{a.X - width / 2, std::min(a.Y, b.Y), a.X - width / 2 + width, std::max(a.Y, b.Y)};
    return band;
  }
  const double len = std::hypot(double(dx), double(dy));
  const double widthX = width * std::abs(double(dy)) / len, widthY = width * std::abs(double(dx)) / len;
  TPoint narrow{roundHalf(widthX / 2), roundHalf(widthY / 2)};
  TPoint wide{roundHalf((widthX + 1) / 2), roundHalf((widthY + 1) / 2)};
  if (dx < 0) {
    wide.Y = -wide.Y;
    narrow.Y = -narrow.Y;
  }
  if (dy < 0) {
    std::swap(narrow, wide);
    wide.X = -wide.X;
    narrow.X = -narrow.X;
  }
  band.quad = {TPoint{a.X - narrow.X, a.Y + narrow.Y}, TPoint{a.X + wide.X, a.Y - wide.Y},
               TPoint{b.X + wide.X, b.Y - wide.Y}, TPoint{b.X - narrow.X, b.Y + narrow.Y}};
  return band;
}

namespace {

void addDisc(SpanList& out, TPoint p, const PenDisc& disc) {
  const int end = out.EndRow(RasterWide(p.Y) + disc.Bottom());
  for (int y = out.FirstRow(RasterWide(p.Y) + disc.Top()); y < end; ++y)
    out.Add(y, RasterWide(p.X) + disc.Left(y - p.Y), RasterWide(p.X) + disc.Right(y - p.Y));
}

bool outsideClip(const std::array<TPoint, 4>& quad, const TRect& clip) {
  int left = quad[0].X, right = left, top = quad[0].Y, bottom = top;
  for (const TPoint& p : quad) {
    left = std::min(left, p.X), right = std::max(right, p.X);
    top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
  }
  return right <= clip.Left || left >= clip.Right || bottom <= clip.Top || top >= clip.Bottom;
}

// Adds the band of a..b; false for a zero-length segment.
bool addBand(SpanList& out, TPoint a, TPoint b, int width) {
  const PenBand band = SegmentBand(a, b, width);
  if (band.empty) return false;
  if (!band.isRect) {
    if (outsideClip(band.quad, out.Clip())) return true;
    AddPolygon(out, band.quad.data(), band.quad.size(), false);
    return true;
  }
  const int end = out.EndRow(band.rect.Bottom);
  for (int y = out.FirstRow(band.rect.Top); y < end; ++y) out.Add(y, band.rect.Left, band.rect.Right);
  return true;
}

}  // namespace

void AddWidePath(SpanList& out, const std::vector<TPoint>& points, bool closed, const PenDisc& disc,
                 int width) {
  // Repeated points at either end carry no direction; they are dropped like empty segments.
  std::size_t first = 0, num = points.size();
  while (num > 2 && points[first] == points[first + 1]) ++first, --num;
  while (num > 2 && points[first + num - 1] == points[first + num - 2]) --num;
  auto at = [&](std::size_t i) { return points[first + i % num]; };
  const std::size_t count = closed ? num : num - 1;  // segments
  if (!closed) {
    addDisc(out, at(0), disc);
    addDisc(out, at(num - 1), disc);
  }
  addBand(out, at(0), at(1), width);
  if (count == 1) return;
  // Joins: a disc where a segment starts, except after an empty one; always at the last joint.
  for (std::size_t i = 1; i + 1 < count; ++i)
    if (addBand(out, at(i), at(i + 1), width)) addDisc(out, at(i), disc);
  addBand(out, at(count - 1), at(count), width);
  addDisc(out, at(count - 1), disc);
  if (closed) addDisc(out, at(0), disc);
}
