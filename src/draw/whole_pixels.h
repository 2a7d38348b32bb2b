#pragma once
// Reals become whole pixels by rounding to the nearest integer with ties to even, in the
// default rounding mode. Taken in long double, so extended-precision results are not rounded
// twice. Values beyond the int range (far-away figures) saturate; NaN gives 0.
#include <climits>
#include <cmath>

inline int RoundToPixel(long double v) {
  if (std::isnan(v)) return 0;
  const long double r = std::nearbyint(v);
  if (r <= INT_MIN) return INT_MIN;
  if (r >= INT_MAX) return INT_MAX;
  return int(r);
}
