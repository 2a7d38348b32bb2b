// The corner points of the triangle and the regular N-gon.
#include <cstdint>
#include <numbers>

#include "draw/figure_renderer.h"
#include "draw/whole_pixels.h"

namespace {

struct CosSin {
  double cos;
  double sin;
};

// cos and sin of k/n of a full turn (0 <= k < n). Whole quarter turns are split off exactly, so
// the axes give exact 0 and ±1; the angle within the quarter is evaluated in long double and
// then rounded, so 30 and 60 degrees give exactly 0.5. Vertices that lie on a half pixel in the
// real geometry then round to even whatever the size of the figure.
CosSin TurnCosSin(int k, int n) {
  const int quarters = int((std::int64_t(4) * k) / n);
  const int rest = int((std::int64_t(4) * k) % n);  // the angle within the quarter is rest/n of it
  const long double phi = std::numbers::pi_v<long double> / 2 * rest / n;
  const double c = rest == 0 ? 1.0 : double(std::cos(phi));
  const double s = rest == 0 ? 0.0 : double(std::sin(phi));
  switch (quarters) {
    case 0: return {c, s};
    case 1: return {-s, c};
    case 2: return {-c, -s};
    default: return {s, -c};
  }
}

}  // namespace

TPolygonVertices RegularPolygon(TPoint s, TPoint e, int n) {
  n = kPolygonCornerRange.Clamp(n);
  const double ox = (double(s.X) + e.X) / 2, oy = (double(s.Y) + e.Y) / 2;
  const double hx = (double(s.X) - e.X) / 2, hy = (double(s.Y) - e.Y) / 2;
  TPolygonVertices v;
  for (int k = 0; k < n; ++k) {
    const CosSin t = TurnCosSin(k, n);
    v[k] = TPoint{RoundToPixel(ox + t.cos * hx - t.sin * hy), RoundToPixel(oy + t.sin * hx + t.cos * hy)};
  }
  for (int k = n; k < int(v.size()); ++k) v[k] = v[n - 1];
  return v;
}

std::array<TPoint, 3> TrianglePoints(TPoint s, TPoint e) {
  return {TPoint{s.X, s.Y}, TPoint{e.X, s.Y}, TPoint{int((std::int64_t(s.X) + e.X) / 2), e.Y}};
}
