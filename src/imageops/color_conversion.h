#pragma once
// Colour conversion of a region: every pixel whose red, green and blue each lie in a range
// becomes one colour. The ranges are picked on a 128 x 60 picker of three bars.
#include "surface/color.h"
#include "surface/geometry.h"

class TBitmap;

// Inclusive bounds 0..255 of each component; a minimum never passes its maximum.
struct TColorRange {
  int low[3] = {0, 0, 0};     // red, green, blue
  int high[3] = {255, 255, 255};
  bool Contains(TColor rgb) const;
};

// Sets every pixel of region whose colour lies in range to target. The region's right column
// and bottom row are converted too (left..right, top..bottom, both included), clipped to the
// picture.
void ConvertColorRange(TBitmap& picture, const TRect& region, const TColorRange& range,
                       TColor target);

// The bar row of the picker at height y (20 pixels a bar), and the bound value at x (2 per
// pixel, clamped to 0..255).
constexpr int kRangeBarHeight = 20;
inline int RangeRowAt(int y) { return y / kRangeBarHeight; }
inline int RangeValueAt(int x) { return x < 0 ? 0 : 2 * x > 255 ? 255 : 2 * x; }

// A press at value on bar row (0 red, 1 green, 2 blue) moves the nearer bound of that bar; a
// tie moves the maximum. Other rows change nothing.
void MoveNearerBound(TColorRange& range, int row, int value);
