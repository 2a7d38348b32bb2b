#pragma once
// A slow, pixel-by-pixel model of the canvas copies, written independently of the fast code: it
// walks every destination pixel, finds its source pixel by searching for the sampling rule's
// defining inequality, and evaluates the raster operation one bit at a time.
#include <cstdint>
#include <cstdlib>

#include "surface/bitmap.h"
#include "surface/canvas_types.h"

namespace raster_test {

struct RefCopy {
  int x, y, w, h;      // destination start and signed extent
  int sx, sy, sw, sh;  // source start and signed extent
  TCopyMode mode = cmSrcCopy;
  TRect clip{0, 0, 1 << 20, 1 << 20};
  const TBitmap* pattern = nullptr;  // 8x8 pattern brush, or else a solid brush of brushColor
  TColor brushColor = clWhite;       // a colour every palette holds exactly
  TPoint origin{};                   // brush origin
  const TColor* transparent = nullptr;
};

// Source pixel number for destination pixel number d.
inline int RefSample(bool rows, long long d, long long S, long long D) {
  long long s = 0;
  if (D >= S) {  // first source pixel whose far edge reaches the destination pixel's centre
    while ((s + 1) * 2 * D < (2 * d + 1) * S) ++s;
  } else if (rows) {
    while ((s + 1) * D <= d * S + D / 2) ++s;
  } else if (D == 1) {
    s = S - 2;
  } else {
    while ((s + 1) * D <= (d + 1) * S - (D + 1) / 2) ++s;
  }
  return int(s);
}

// Pixel number of coordinate v along an area with start and signed extent, or -1 outside it.
inline long long RefAlong(int v, int start, int extent) {
  if (extent > 0) return v >= start && v < start + extent ? v - start : -1;
  return v <= start && v > start + extent ? start - v : -1;
}

inline bool RefUses(std::uint8_t code, int bit) {
  for (int k = 0; k < 8; ++k)
    if (((code >> k) & 1) != ((code >> (k ^ bit)) & 1)) return true;
  return false;
}

// The copy applied to dest reading from src, which must not be dest itself (pass a snapshot).
inline void ReferenceCopy(TBitmap& dest, const TBitmap& src, const RefCopy& c) {
  const std::uint8_t code = std::uint8_t(c.mode >> 16);
  const bool readsSource = RefUses(code, 2) || c.transparent;
  auto norm = [](TPixelFormat f) { return f == pfDevice ? pf32bit : f; };
  const bool sameRaw = norm(src.PixelFormat()) == norm(dest.PixelFormat()) && src.Palette() == dest.Palette();
  const std::uint32_t mask = RawMask(dest.PixelFormat());
  for (int y = std::max(0, c.clip.Top); y < std::min(dest.Height(), c.clip.Bottom); ++y)
    for (int x = std::max(0, c.clip.Left); x < std::min(dest.Width(), c.clip.Right); ++x) {
      const long long d = RefAlong(x, c.x, c.w), e = RefAlong(y, c.y, c.h);
      if (d < 0 || e < 0) continue;
      std::uint32_t s = 0;
      if (readsSource) {
        const int sxs = RefSample(false, d, std::abs(c.sw), std::abs(c.w));
        const int sys = RefSample(true, e, std::abs(c.sh), std::abs(c.h));
        const int sx = c.sw > 0 ? c.sx + sxs : c.sx - sxs, sy = c.sh > 0 ? c.sy + sys : c.sy - sys;
        if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
        if (c.transparent && src.GetPixel(sx, sy) == *c.transparent) continue;
        s = sameRaw ? src.GetRaw(sx, sy) : dest.ColorToRaw(src.GetPixel(sx, sy));
      }
      const TColor brush = c.pattern ? c.pattern->GetPixel((x - c.origin.X) & 7, (y - c.origin.Y) & 7) : c.brushColor;
      const std::uint32_t p = dest.ColorToRaw(brush);
      const std::uint32_t old = dest.GetRaw(x, y);
      std::uint32_t v = 0;
      for (int b = 0; b < 32; ++b) {
        const int k = int((p >> b) & 1) * 4 + int((s >> b) & 1) * 2 + int((old >> b) & 1);
        v |= std::uint32_t((code >> k) & 1) << b;
      }
      dest.SetRaw(x, y, code == 0xFF ? dest.ColorToRaw(clWhite) : v & mask);
    }
}

}  // namespace raster_test
