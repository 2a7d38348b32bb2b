#pragma once
// Helpers of the raster tests: varied pictures and a pixel-exact comparison.
#include <cstdint>
#include <sstream>
#include <string>

#include "surface/bitmap.h"

namespace raster_test {

inline const TPixelFormat kAllFormats[] = {pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// A small deterministic generator, so failures repeat.
struct Lcg {
  std::uint32_t state;
  explicit Lcg(std::uint32_t seed) : state(seed * 2654435761u + 1) {}
  std::uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  int Below(int n) { return int(Next() % std::uint32_t(n)); }
};

// Every pixel a valid raw value of the format, chosen at random.
inline void FillRandom(TBitmap& b, std::uint32_t seed) {
  Lcg rng(seed);
  const bool indexed = IsIndexed(b.PixelFormat());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.SetRaw(x, y, indexed ? std::uint32_t(rng.Below(b.Palette().Count())) : rng.Next() & RawMask(b.PixelFormat()));
}

// Empty when both bitmaps hold the same raw pixels, else where the first difference is.
inline std::string RawDifference(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetRaw(x, y) != b.GetRaw(x, y)) {
        std::ostringstream out;
        out << "pixel (" << x << ", " << y << "): " << std::hex << a.GetRaw(x, y) << " vs " << b.GetRaw(x, y);
        return out.str();
      }
  return {};
}

}  // namespace raster_test
