#include "imageops/region_gradient.h"

#include <cmath>

#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

std::uint8_t Mix(int a, int b, double t) {
  return std::uint8_t(std::nearbyint((1.0 - t) * a + t * b));
}

}  // namespace

TColor BlendColor(TColor from, TColor to, double t) {
  from = ColorToRGB(from);
  to = ColorToRGB(to);
  return RGB(Mix(GetRValue(from), GetRValue(to), t), Mix(GetGValue(from), GetGValue(to), t),
             Mix(GetBValue(from), GetBValue(to), t));
}

void DrawGradientStripes(TBitmap& picture, const TRect& region, TColor from, TColor to,
                         TPenMode mode, TStripes stripes) {
  picture.PrepareToWrite(TRect{region.Left, region.Top, region.Right + 1, region.Bottom + 1});
  TCanvas& canvas = picture.Canvas();
  canvas.Pen.Mode = mode;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  const bool horizontal = stripes == TStripes::Horizontal;
  const int first = horizontal ? region.Top : region.Left;
  const int last = horizontal ? region.Bottom : region.Right;
  const int span = last - first;
  for (int i = first; i <= last; ++i) {
    canvas.Pen.Color = BlendColor(from, to, span == 0 ? 0.0 : double(i - first) / span);
    if (horizontal) {
      canvas.MoveTo(region.Left, i);
      canvas.LineTo(region.Right, i);
    } else {
      canvas.MoveTo(i, region.Top);
      canvas.LineTo(i, region.Bottom);
    }
  }
}

void RecoverRegion(TBitmap& picture, TBitmap& snapshot, const TRect& region) {
  TCanvas& canvas = picture.Canvas();
  canvas.CopyMode = cmSrcCopy;
  const TRect r = IntersectRect(IntersectRect(NormalizedRect(region), picture.BoundsRect()),
                                snapshot.BoundsRect());
  if (r.IsEmpty()) return;
  canvas.CopyRect(r, snapshot.Canvas(), r);
}
