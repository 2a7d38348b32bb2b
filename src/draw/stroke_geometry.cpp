// The direction of a drag, the fixed-angle constraint and the point-symmetric start point.
// The trigonometry runs in long double, the extended precision of the program's reals.
#include "draw/stroke_geometry.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "draw/whole_pixels.h"

namespace {

constexpr long double kDegree = std::numbers::pi_v<long double> / 180;

}  // namespace

int AngleOf(TPoint p, TPoint q) {
  // The angle lives in a 32-bit float: rounded to float once after the arctangent and again
  // after the half or full turn is added, and only then to whole degrees. Near 360 the float's
  // steps are coarse enough to land some directions exactly on a half degree.
  const long double rise = (long double)p.Y - q.Y;
  const long double run = (long double)q.X - p.X + 0.01L;
  float a = float(std::atan(rise / run) / kDegree);
  if (q.X < p.X)
    a = float(a + 180.0L);
  else if (q.Y > p.Y)
    a = float(a + 360.0L);
  return RoundToPixel(a);
}

int FixAngle(int x, int y, TPoint start, int angleDegrees) {
  // The thousandth of a radian keeps the tangent of 90 degrees finite; it also tilts every
  // angle a little, so a drag at 0 degrees leaves the start row from 500 pixels on.
  const long double t = std::tan(angleDegrees * kDegree - 0.001L);
  const std::int64_t dx = std::int64_t(x) - start.X;
  const std::int64_t dy = std::int64_t(y) - start.Y;
  const std::int64_t rise = RoundToPixel(t * dx);
  return int(start.Y + (dx * dy > 0 ? rise : -rise));
}

TPoint MirrorPoint(TPoint p, TPoint centre) {
  return TPoint{int(2 * std::int64_t(centre.X) - p.X), int(2 * std::int64_t(centre.Y) - p.Y)};
}
