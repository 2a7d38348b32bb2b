#include "imageops/color_conversion.h"

#include <algorithm>
#include <array>

#include "surface/bitmap.h"

namespace {

// 24- and 32-bit rows hold blue, green, red bytes: compared where they lie.
void ConvertDirectRows(TBitmap& picture, const TRect& r, const TColorRange& range, TColor target) {
  const int bytes = picture.PixelFormat() == pf24bit ? 3 : 4;
  const std::uint8_t tb = GetBValue(target), tg = GetGValue(target), tr = GetRValue(target);
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::uint8_t* p = picture.MutableRow(y) + std::size_t(r.Left) * bytes;
    for (int x = r.Left; x < r.Right; ++x, p += bytes) {
      if (p[0] < range.low[2] || p[0] > range.high[2] || p[1] < range.low[1] ||
          p[1] > range.high[1] || p[2] < range.low[0] || p[2] > range.high[0])
        continue;
      p[0] = tb;
      p[1] = tg;
      p[2] = tr;
    }
  }
}

// Other formats through their stored values; an indexed picture tests each palette entry once.
void ConvertStoredValues(TBitmap& picture, const TRect& r, const TColorRange& range, TColor target) {
  const std::uint32_t targetRaw = picture.ColorToRaw(target);
  const bool indexed = IsIndexed(picture.PixelFormat());
  std::array<signed char, 256> inRange;
  inRange.fill(-1);
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      const std::uint32_t raw = picture.GetRaw(x, y);
      bool hit;
      if (indexed) {
        if (inRange[raw] < 0) inRange[raw] = range.Contains(picture.RawToColor(raw)) ? 1 : 0;
        hit = inRange[raw] == 1;
      } else {
        hit = range.Contains(picture.RawToColor(raw));
      }
      if (hit) picture.SetRaw(x, y, targetRaw);
    }
  }
}

}  // namespace

bool TColorRange::Contains(TColor rgb) const {
  const int c[3] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
  for (int i = 0; i < 3; ++i)
    if (c[i] < low[i] || c[i] > high[i]) return false;
  return true;
}

void ConvertColorRange(TBitmap& picture, const TRect& region, const TColorRange& range,
                       TColor target) {
  const TRect inclusive{region.Left, region.Top, region.Right + 1, region.Bottom + 1};
  const TRect r = IntersectRect(NormalizedRect(inclusive), picture.BoundsRect());
  if (r.IsEmpty()) return;
  picture.PrepareToWrite(r);
  target = ColorToRGB(target);
  const TPixelFormat f = picture.PixelFormat();
  if (f == pf24bit || f == pf32bit || f == pfDevice) {
    ConvertDirectRows(picture, r, range, target);
  } else {
    ConvertStoredValues(picture, r, range, target);
  }
}

void MoveNearerBound(TColorRange& range, int row, int value) {
  if (row < 0 || row > 2) return;
  if (value - range.low[row] < range.high[row] - value) {
    range.low[row] = value;
  } else {
    range.high[row] = value;
  }
}
