// The direction of a drag, the fixed-angle constraint and the point-symmetric start point.
#include "draw/stroke_geometry.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "draw/whole_pixels.h"

int AngleOf(TPoint p, TPoint q) {
  // The angle lives in a 32-bit float: its value is rounded to float once after the arctangent
  // and again after the half or full turn is added, and only then to whole degrees. Near 360
  // the float's coarse steps decide some ties, so the two roundings are kept as they are.
  const double rise = double(p.Y) - q.Y;
  const double run = double(q.X) - p.X + 0.01;
  float a = float(std::atan(rise / run) * 180.0 / std::numbers::pi);
  if (q.X < p.X)
    a = float(double(a) + 180.0);
  else if (q.Y > p.Y)
    a = float(double(a) + 360.0);
  return RoundToPixel(a);
}

int FixAngle(int x, int y, TPoint start, int angleDegrees) {
  // The thousandth of a radian keeps the tangent of 90 degrees finite; it also tilts every
  // angle a little, so a drag at 0 degrees leaves the start row from 500 pixels on.
  const double t = std::tan(angleDegrees * std::numbers::pi / 180.0 - 0.001);
  const std::int64_t dx = std::int64_t(x) - start.X;
  const std::int64_t dy = std::int64_t(y) - start.Y;
  const int rise = RoundToPixel(t * double(dx));
  return int(std::int64_t(start.Y) + (dx * dy > 0 ? rise : -std::int64_t(rise)));
}

TPoint MirrorPoint(TPoint p, TPoint centre) {
  return TPoint{int(2 * std::int64_t(centre.X) - p.X), int(2 * std::int64_t(centre.Y) - p.Y)};
}
