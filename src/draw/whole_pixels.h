#pragma once
// Reals become whole pixels by rounding to the nearest integer with ties to even, in the
// default rounding mode. Values beyond the int range (far-away figures) saturate; NaN gives 0.
#include <climits>
#include <cmath>

inline int RoundToPixel(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);
  if (r <= double(INT_MIN)) return INT_MIN;
  if (r >= double(INT_MAX)) return INT_MAX;
  return int(r);
}
