// The document in the main window: Undo on a 4000 x 4000 picture against one copy of its
// pixels, and repainting a 9999 x 9999 picture after a one-pixel change and while scrolling.
// Runs the real windows on the offscreen platform unless a display is asked for.
#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

#include "bench_app.h"

namespace {

BENCHMARK(BM_Memcpy4000)->Unit(benchmark::kMillisecond);

// Undo as the user presses it: exchange, and the view takes on the picture.
void BM_Undo4000(benchmark::State& state) {
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  for (auto _ : state) {
    form1.returnbuttonClick();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_Undo4000)->Unit(benchmark::kMillisecond);

// What a stroke pays for its snapshot: the first pixel drawn after it copies the picture once.
void BM_SnapshotAndFirstPixel4000(benchmark::State& state) {
  TCanvasDocument& document = BenchApp(4000, 4000).Document();
  for (auto _ : state) {
    document.TakeSnapshot();
    document.Picture().SetPixel(7, 7, clRed);
  }
}
BENCHMARK(BM_SnapshotAndFirstPixel4000)->Unit(benchmark::kMillisecond);

void BM_RepaintOnePixel9999(benchmark::State& state) {
  TForm1& form1 = BenchApp(9999, 9999).Form1();
  TBitmap& picture = form1.Document().Picture();
  int i = 0;
  for (auto _ : state) {
    const int x = 50 + (i++ % 100);
    picture.SetPixel(x, 60, clRed);
    form1.InvalidateDocument(TRect{x, 60, x + 1, 61});
    form1.Image->repaint(x, 60, 1, 1);
  }
}
BENCHMARK(BM_RepaintOnePixel9999)->Unit(benchmark::kMicrosecond);

void BM_ScrollStep9999(benchmark::State& state) {
  TForm1& form1 = BenchApp(9999, 9999).Form1();
  QScrollBar* bar = form1.ScrollBox1->verticalScrollBar();
  int step = 0;
  for (auto _ : state) {
    bar->setValue((step++ % 200) * 40);
    form1.ScrollBox1->viewport()->repaint();
  }
}
BENCHMARK(BM_ScrollStep9999)->Unit(benchmark::kMicrosecond);

}  // namespace
