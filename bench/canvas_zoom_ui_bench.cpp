// The zoomed canvas on the real window: repainting a 1920 x 1080 view of a 9999 x 9999
// picture at 1/8 and at 8 (and others), a freehand stroke's pointer move at every zoom, and
// Ctrl+wheel zoom steps on a 4000 x 4000 picture. Runs on the offscreen platform unless a
// display is asked for.
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include "bench_app.h"

namespace {

constexpr int kLevelEighth = kZoomOne - 5, kLevelEight = kZoomOne + 5;

// The main window sized so that the canvas's viewport is 1920 x 1080.
TScrollBox& ViewOf1920(TForm1& form1) {
  TScrollBox& box = *form1.ScrollBox1;
  for (int i = 0; i < 3; ++i) {
    const QSize missing = QSize(1920, 1080) - box.viewport()->size();
    form1.resize(form1.size() + missing);
    QApplication::processEvents();
  }
  return box;
}

void BM_RepaintView9999(benchmark::State& state) {
  TForm1& form1 = BenchApp(9999, 9999).Form1();
  TScrollBox& box = ViewOf1920(form1);
  box.ZoomAbout(int(state.range(0)), QPointF(960, 540));
  QApplication::processEvents();
  box.horizontalScrollBar()->setValue(box.horizontalScrollBar()->maximum() / 2);
  box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum() / 2);
  // The viewport's widgets painted as for the screen, into a picture of the viewport's size.
  QImage shown(box.viewport()->size(), QImage::Format_RGB32);
  box.viewport()->render(&shown);  // the reduced levels are made where they are seen
  for (auto _ : state) box.viewport()->render(&shown);
  state.counters["viewport_w"] = box.viewport()->width();
  state.counters["viewport_h"] = box.viewport()->height();
  box.ZoomAbout(kZoomOne, QPointF());
}
BENCHMARK(BM_RepaintView9999)->Arg(kLevelEighth)->Arg(kLevelEight)->Arg(0)->Arg(kZoomOne - 3)->Arg(kZoomOne)
    ->Arg(15)->Unit(benchmark::kMillisecond);

// A freehand stroke goes on: one segment, its repaint at the zoom, the status texts.
void BM_StrokeMoveAtZoom(benchmark::State& state) {
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  form1.ScrollBox1->ZoomAbout(int(state.range(0)), QPointF());
  QApplication::processEvents();
  form1.dtExecute(1);
  form1.ImageMouseDown(form1.Image, 0, 20, 20);
  int i = 0;
  for (auto _ : state) {
    const int wobble = i++ % 2;
    form1.ImageMouseMove(form1.Image, 20 + 3 * wobble, 20 + wobble);
    QApplication::processEvents();
  }
  form1.ImageMouseUp(form1.Image, 0, 20, 20);
  form1.ScrollBox1->ZoomAbout(kZoomOne, QPointF());
}
BENCHMARK(BM_StrokeMoveAtZoom)->DenseRange(0, int(kZoomLevels.size()) - 1, 3)->Arg(kZoomOne)
    ->Unit(benchmark::kMicrosecond);

// Ctrl+wheel through every level up and down again, each step repainted.
void BM_WheelZoomSteps4000(benchmark::State& state) {
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  TScrollBox& box = *form1.ScrollBox1;
  box.ZoomAbout(0, QPointF());
  QImage shown(box.viewport()->size(), QImage::Format_RGB32);
  int direction = 1;
  for (auto _ : state) {
    const int level = form1.Image->ZoomLevel();
    if (level == int(kZoomLevels.size()) - 1) direction = -1;
    if (level == 0) direction = 1;
    const QPointF at(200, 150);
    QWheelEvent wheel(at, box.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * direction), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box.viewport(), &wheel);
    QApplication::processEvents();
    box.viewport()->render(&shown);
  }
  state.SetItemsProcessed(state.iterations());
  box.ZoomAbout(kZoomOne, QPointF());
}
BENCHMARK(BM_WheelZoomSteps4000)->Unit(benchmark::kMillisecond);

}  // namespace
