#include "surface/line_raster.h"

#include <cstdlib>

#include "surface/raster_math.h"

namespace {

// The pixels of one line that fall inside the clip, as indexes first..end-1 along the major
// axis. Pixel i sits at major a + i * majorSign and minor a + m(i) with
// m(i) = ceil((2 i k - d) / 2d), k the signed minor length and d the major length.
struct LineWalk {
  bool xMajor = true;
  int majorSign = 1, minorSign = 1;
  std::int64_t d = 0, k = 0;
  std::int64_t first = 0, end = 0;
  TPoint start;       // pixel first
  std::int64_t g = 0; // stepping term: the minor coordinate moves when it reaches 0
};

// Index range i >= lo (inclusive), i < hi where the minor offset stays within [minLo, minHi].
void clipMinor(LineWalk& w, std::int64_t minLo, std::int64_t minHi) {
  const RasterWide d = w.d, k = w.k;
  RasterWide lo, hi;
  if (k > 0) {
    lo = FloorDiv(2 * d * (minLo - 1) + d, 2 * k) + 1;
    hi = FloorDiv(2 * d * minHi + d, 2 * k) + 1;
  } else if (k < 0) {
    lo = CeilDiv(-d - 2 * d * minHi, -2 * k);
    hi = CeilDiv(-(2 * d * (minLo - 1) + d), -2 * k);
  } else {
    const bool inside = minLo <= 0 && 0 <= minHi;
    lo = 0;
    hi = inside ? w.d : 0;
  }
  if (lo > w.first) w.first = std::int64_t(lo);
  if (hi < w.end) w.end = std::int64_t(hi);
}

// Index range where the major coordinate stays within [lo, hi).
void clipMajor(LineWalk& w, std::int64_t from, std::int64_t lo, std::int64_t hi) {
  std::int64_t a = w.majorSign > 0 ? lo - from : from - hi + 1;
  std::int64_t b = w.majorSign > 0 ? hi - from : from - lo + 1;
  if (a > w.first) w.first = a;
  if (b < w.end) w.end = b;
}

// Sets up the walk; false when no pixel of the line is inside clip.
bool walkLine(TPoint a, TPoint b, const TRect& clip, LineWalk& w) {
  const std::int64_t dx = std::int64_t(b.X) - a.X, dy = std::int64_t(b.Y) - a.Y;
  w.xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t major = w.xMajor ? dx : dy, minor = w.xMajor ? dy : dx;
  w.majorSign = major < 0 ? -1 : 1;
  w.minorSign = minor < 0 ? -1 : 1;
  w.d = std::llabs(major);
  w.k = minor;
  w.first = 0;
  w.end = w.d;
  const std::int64_t ma = w.xMajor ? a.X : a.Y, mi = w.xMajor ? a.Y : a.X;
  if (w.xMajor) {
    clipMajor(w, ma, clip.Left, clip.Right);
    clipMinor(w, clip.Top - mi, clip.Bottom - 1 - mi);
  } else {
    clipMajor(w, ma, clip.Top, clip.Bottom);
    clipMinor(w, clip.Left - mi, clip.Right - 1 - mi);
  }
  if (w.first >= w.end) return false;
  const RasterWide num = RasterWide(2) * w.first * w.k - w.d;
  const RasterWide m = CeilDiv(num, 2 * w.d);
  const std::int64_t e = std::int64_t(num - m * 2 * w.d);  // in (-2d, 0]
  w.g = w.k >= 0 ? e - 1 : -2 * w.d - e;
  const int majorAt = int(ma + w.majorSign * w.first), minorAt = int(mi + m);
  w.start = w.xMajor ? TPoint{majorAt, minorAt} : TPoint{minorAt, majorAt};
  return true;
}

// Calls f(x, y, i) for each pixel of the walk.
template <class F>
void eachPixel(const LineWalk& w, F f) {
  int x = w.start.X, y = w.start.Y;
  const int sx = w.xMajor ? w.majorSign : w.minorSign, sy = w.xMajor ? w.minorSign : w.majorSign;
  const std::int64_t twoK = 2 * std::llabs(w.k), twoD = 2 * w.d;
  std::int64_t g = w.g;
  for (std::int64_t i = w.first; i < w.end; ++i) {
    f(x, y, i);
    if (w.xMajor) x += sx; else y += sy;
    g += twoK;
    if (g >= 0) {
      if (w.xMajor) y += sy; else x += sx;
      g -= twoD;
    }
  }
}

bool adjacent(TPoint a, TPoint b) {
  return std::llabs(std::int64_t(a.X) - b.X) <= 1 && std::llabs(std::int64_t(a.Y) - b.Y) <= 1;
}

}  // namespace

ThinLinePainter::ThinLinePainter(TBitmap& bmp, const TRect& clip, const SpanInk& ink)
    : bmp_(bmp), painter_(bmp, clip, ink), masks_(ink.cell[0][0]) {}

template <bool kCopy>
void ThinLinePainter::fastLine(std::uint32_t* p, std::int64_t count, std::ptrdiff_t major, std::ptrdiff_t minor,
                               std::int64_t g, std::int64_t twoK, std::int64_t twoD) const {
  const std::uint32_t andMask = masks_.andMask, xorMask = masks_.xorMask;
  for (; count > 0; --count) {
    *p = kCopy ? xorMask : (*p & andMask) ^ xorMask;
    p += major;
    g += twoK;
    if (g >= 0) {
      p += minor;
      g -= twoD;
    }
  }
}

void ThinLinePainter::Line(TPoint a, TPoint b) {
  if (a == b) return;
  if (adjacent(a, b)) {
    painter_.Pixel(a.X, a.Y);  // a one-step line is its first pixel
    return;
  }
  LineWalk w;
  if (!walkLine(a, b, painter_.Clip(), w)) return;
  if (BitsPerPixel(bmp_.PixelFormat()) != 32) {
    eachPixel(w, [this](int x, int y, std::int64_t) { painter_.Pixel(x, y); });
    return;
  }
  const std::ptrdiff_t stride = std::ptrdiff_t(bmp_.Stride() / 4);
  const std::ptrdiff_t sx = w.xMajor ? w.majorSign : w.minorSign, sy = (w.xMajor ? w.minorSign : w.majorSign) * stride;
  auto* p = reinterpret_cast<std::uint32_t*>(bmp_.MutableRow(w.start.Y)) + w.start.X;
  const std::int64_t twoK = 2 * std::llabs(w.k), twoD = 2 * w.d;
  if (masks_.andMask == 0)
    fastLine<true>(p, w.end - w.first, w.xMajor ? sx : sy, w.xMajor ? sy : sx, w.g, twoK, twoD);
  else
    fastLine<false>(p, w.end - w.first, w.xMajor ? sx : sy, w.xMajor ? sy : sx, w.g, twoK, twoD);
}

void ThinLinePainter::DottedLine(TPoint a, TPoint b, int& phase) {
  const std::int64_t length = std::max(std::llabs(std::int64_t(b.X) - a.X), std::llabs(std::int64_t(b.Y) - a.Y));
  LineWalk w;
  if (length > 0 && walkLine(a, b, painter_.Clip(), w)) {
    const int start = phase;
    eachPixel(w, [this, start](int x, int y, std::int64_t i) {
      if ((start + i) % 6 < 3) painter_.Pixel(x, y);
    });
  }
  phase = int((phase + length) % 6);
}
