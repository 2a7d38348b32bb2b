// Lines of the canvas: LineTo and Polyline.
#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/pen_stroke.h"

void TCanvas::LineTo(int x, int y) {
  const TPoint from = PenPos;
  PenPos = TPoint{x, y};
  StrokePath(bitmap_, ClipRect(), Pen, {from, PenPos}, false);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  StrokePath(bitmap_, ClipRect(), Pen, points, false);
}
