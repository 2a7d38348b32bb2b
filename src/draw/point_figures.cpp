#include "draw/point_figures.h"

#include "draw/drawing_settings.h"
#include "draw/program_random.h"

namespace {
constexpr int kPatternFill = 8;
constexpr int kSprayDotsPerCall = 3;
}  // namespace

void AreaFill(TCanvas& canvas, TPoint e, int fillSetting, const TBitmap& brushPattern) {
  ApplyFillSetting(canvas, fillSetting, brushPattern);
  if (fillSetting < kPatternFill) canvas.Brush.Color = canvas.Pen.Color;
  if (canvas.Brush.Style == bsClear) canvas.Brush.Style = bsSolid;
  canvas.FloodFill(e.X, e.Y, canvas.GetPixel(e.X, e.Y));  // outside the picture: nothing
}

void SprayDots(TCanvas& canvas, TPoint e, int penWidth) {
  const TColor c = canvas.Pen.Color;
  for (int i = 0; i < kSprayDotsPerCall; ++i) {
    const int a = Random(2 * penWidth);
    const int b = Random(2 * penWidth);
    canvas.SetPixel(e.X + b - penWidth, e.Y + a - penWidth, c);
  }
}
