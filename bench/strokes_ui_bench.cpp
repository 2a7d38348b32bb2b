// Strokes in the main window: a pointer move during a two-click stroke (the inverted preview
// out and in, the status texts and the repaint) on a 4000 x 4000 and a 200 x 200 picture, and
// a whole short stroke whose first drawing pays for the undo snapshot, beside one copy of the
// picture's pixels. Runs the real windows on the offscreen platform unless a display is asked for.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_app.h"

namespace {

BENCHMARK(BM_Memcpy4000)->Unit(benchmark::kMillisecond);

// An ellipse 200 pixels across follows the pointer; each move inverts the old preview away,
// draws the new one, writes the status texts and repaints what changed.
void BM_PreviewMove(benchmark::State& state) {
  const int side = int(state.range(0));
  TForm1& form1 = BenchApp(side, side).Form1();
  MeasureRectanglePreviewMoves(form1, state);
}
BENCHMARK(BM_PreviewMove)->Arg(4000)->Arg(200)->Unit(benchmark::kMicrosecond);

// A short line stroke: the first press takes the snapshot, the first preview makes the picture
// its own (one copy), the second press restores the preview's rectangle and draws the line.
void BM_StrokeWithSnapshot4000(benchmark::State& state) {
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  form1.dtExecute(2);
  for (auto _ : state) {
    form1.ImageMouseDown(form1.Image, 0, 10, 10);
    form1.ImageMouseMove(form1.Image, 60, 40);
    form1.ImageMouseDown(form1.Image, 0, 60, 40);
  }
}
BENCHMARK(BM_StrokeWithSnapshot4000)->Unit(benchmark::kMillisecond);

}  // namespace
