#include "surface/canvas.h"

#include "surface/bitmap.h"
#include "surface/span_painter.h"

TCanvas::TCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

TRect TCanvas::ClipRect() const {
  TRect all = bitmap_.BoundsRect();
  return clipped_ ? IntersectRect(NormalizedRect(clip_), all) : all;
}

TColor TCanvas::GetPixel(int x, int y) const { return bitmap_.GetPixel(x, y); }

void TCanvas::SetPixel(int x, int y, TColor c) {
  TRect clip = ClipRect();
  if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
  bitmap_.SetPixel(x, y, c);
}

void TCanvas::FillRect(const TRect& r) {
  const TRect area = IntersectRect(NormalizedRect(r), ClipRect());
  if (area.IsEmpty()) return;
  bitmap_.PrepareToWrite(area);
  const SpanInk ink = BrushInk(bitmap_, Brush, pmCopy, BrushOrigin);
  SpanPainter painter(bitmap_, area, ink);
  for (int y = area.Top; y < area.Bottom; ++y) painter.Span(y, area.Left, area.Right);
}
