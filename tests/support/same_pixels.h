#pragma once
// Whether two bitmaps show the same picture: the same size and every pixel alike.
#include "surface/bitmap.h"

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}
