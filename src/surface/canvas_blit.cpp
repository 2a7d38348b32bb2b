// The copies of a canvas: rectangles are turned into start and signed extent, so that reversed
// corners mirror exactly as the classic stretch does.
#include "surface/bitmap.h"
#include "surface/blit_engine.h"
#include "surface/canvas.h"

namespace {

BlitArea AreaOf(const TRect& r) { return BlitArea{r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

}  // namespace

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  StretchBlit(*this, source.Bitmap(), AreaOf(dest), AreaOf(sourceRect), nullptr);
}

void TCanvas::Draw(int x, int y, const TBitmap& graphic) {
  const int w = graphic.Width(), h = graphic.Height();
  StretchBlit(*this, graphic, BlitArea{x, y, w, h}, BlitArea{0, 0, w, h},
              graphic.Transparent ? &graphic.TransparentColor : nullptr);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& graphic) {
  StretchBlit(*this, graphic, AreaOf(rect), BlitArea{0, 0, graphic.Width(), graphic.Height()},
              graphic.Transparent ? &graphic.TransparentColor : nullptr);
}
