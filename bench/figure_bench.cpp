// One preview step of a stroke per figure: the last preview removed and the next drawn, both
// with pmNot, as every pointer move does, on a 2000 x 2000 32-bit picture. The drag spans
// 600 x 450 pixels and moves by one pixel a step; the brush is solid, the pen width the argument.
//   build-*/bench/figure_bench
#include <benchmark/benchmark.h>

#include "draw/figure_renderer.h"
#include "draw/other_shapes.h"
#include "surface/bitmap.h"

namespace {

constexpr int kSide = 2000;

void PreviewStep(benchmark::State& state, int figure) {
  TBitmap picture(kSide, kSide, pf32bit);
  TBitmap paste(200, 150, pf32bit);
  TCanvas& c = picture.Canvas();
  c.Pen.Width = int(state.range(0));
  c.Brush.Color = RGB(40, 120, 200);
  TFigureChoice choice;
  choice.figure = figure;
  choice.otherShape = osBlockArrow;
  choice.penModePosition = 1;
  choice.pasteBuffer = &paste;
  const TPoint s{700, 800};
  TPoint e{1300, 1250};
  for (auto _ : state) {
    TFigurePoints points{s, s};
    RenderFigure(points, e, c, pmNot, choice);
    e.X ^= 1;
    points = TFigurePoints{s, s};
    RenderFigure(points, e, c, pmNot, choice);
  }
  benchmark::DoNotOptimize(picture.Bits());
}

}  // namespace

BENCHMARK_CAPTURE(PreviewStep, Line, 2)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, Ellipse, 3)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, Triangle, 4)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, Rectangle, 5)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, RoundRect, 6)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, Polygon, 7)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, BlockArrow, 8)->Arg(1)->Arg(5);
BENCHMARK_CAPTURE(PreviewStep, Selection, 12)->Arg(1);
BENCHMARK_CAPTURE(PreviewStep, Stamp, 14)->Arg(1);
BENCHMARK_CAPTURE(PreviewStep, Stretch, 15)->Arg(1);
BENCHMARK_CAPTURE(PreviewStep, AngleLine, 16)->Arg(1);

BENCHMARK_MAIN();
