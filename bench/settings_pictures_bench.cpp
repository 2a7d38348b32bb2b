// How long the settings panel's pictures take to redraw. The RGB bars and the mouse picture
// are redrawn on every pointer move of a drag on the RGB editor, the pen width bar on every
// move over the pen width picture.
#include <benchmark/benchmark.h>

#include "draw/settings_pictures.h"
#include "surface/canvas.h"

namespace {

void makeMouse(TBitmap& mouse) {
  mouse.SetSize(100, 50);
  TCanvas& c = mouse.Canvas();
  c.Brush.Color = clSilver;
  c.FillRect(Rect(0, 0, 100, 50));
  c.Brush.Color = clBlack;
  c.Rectangle(9, 4, 41, 31);
  c.Rectangle(59, 4, 91, 31);
}

void BM_ShowColorsPictures(benchmark::State& state) {
  TBitmap mouse, shape(kPenShapeSide, kPenShapeSide, pfDevice), bars(kRGBImageWidth, kRGBImageHeight, pfDevice);
  makeMouse(mouse);
  int v = 0;
  for (auto _ : state) {
    v = (v + 1) & 255;
    DrawPenShape(shape, mouse, v & 1, RGB(v, 0, 0), RGB(0, v, 0));
    DrawRGBBars(bars, v, 255 - v, v);
    benchmark::DoNotOptimize(shape.Bits());
  }
}
BENCHMARK(BM_ShowColorsPictures);

void BM_PenWidthPicture(benchmark::State& state) {
  TBitmap ruler(kPenImageWidth, kPenImageHeight, pf1bit), pen(kPenImageWidth, kPenImageHeight, pfDevice);
  for (auto _ : state) {
    DrawPenWidth(pen, ruler, int(state.range(0)));
    benchmark::DoNotOptimize(pen.Bits());
  }
}
BENCHMARK(BM_PenWidthPicture)->Arg(1)->Arg(50);

void BM_FontSizePicture(benchmark::State& state) {
  TBitmap picture(kPenImageWidth, kPenImageHeight, pfDevice);
  for (auto _ : state) {
    DrawFontSize(picture, int(state.range(0)), 96);
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_FontSizePicture)->Arg(9)->Arg(99);

}  // namespace

BENCHMARK_MAIN();
