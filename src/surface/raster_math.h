#pragma once
// Integer helpers of the rasterisers: divisions rounded down or up for any signs, on values
// wide enough that far-away coordinates cannot overflow.
#include <cstdint>

using RasterWide = __int128;

// floor(n / d) and ceil(n / d) for d > 0.
inline RasterWide FloorDiv(RasterWide n, RasterWide d) {
  RasterWide q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}
inline RasterWide CeilDiv(RasterWide n, RasterWide d) {
  RasterWide q = n / d;
  return (n % d != 0 && n > 0) ? q + 1 : q;
}

// The value clamped into lo..hi, as an int (lo <= hi).
inline int ClampToInt(RasterWide v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : int(v));
}
