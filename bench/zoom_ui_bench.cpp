// The zoom window: rendering its view at the largest magnification of the largest picture (only
// the 150 x 150 view is computed), and a pointer move of a stroke on a 4000 x 4000 picture
// while the window follows the pointer or is drawn on itself. Runs the real windows on the
// offscreen platform unless a display is asked for.
#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include "bench_app.h"
#include "windows/zoom_form.h"

namespace {

TForm4& ShownZoom(TForm1& form1) {
  if (!form1.ZoomForm->isVisible()) form1.zoombuttonclick();
  return *form1.ZoomForm;
}

// The view of a 9999 x 9999 picture around its middle, and its repaint.
void BM_DrawZoom9999(benchmark::State& state) {
  TZudozoApp& app = BenchApp(9999, 9999);
  TForm4& zoom = ShownZoom(app.Form1());
  zoom.rebar->setValue(int(state.range(0)));
  zoom.SetZoomCenter(TPoint{5000, 5000});
  for (auto _ : state) {
    zoom.DrawZoom(app.Document().Picture());
    QApplication::processEvents();
  }
}
BENCHMARK(BM_DrawZoom9999)->Arg(25)->Arg(1)->Unit(benchmark::kMicrosecond);

// An ellipse follows the pointer: the preview out and in, the status texts, the zoom window
// re-centred on the pointer (tracking) or redrawn (the stroke made on the view itself), and
// the repaints.
void BM_PreviewMoveWithZoom4000(benchmark::State& state) {
  const bool onView = state.range(0) != 0;
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  TForm4& zoom = ShownZoom(form1);
  zoom.rebar->setValue(4);
  zoom.SetZoomCenter(TPoint{200, 200});
  form1.dtExecute(3);
  form1.ImageMouseDown(form1.Image, 0, 0, 0);
  form1.ImageMouseUp(form1.Image, 0, 0, 0);
  int i = 0;
  for (auto _ : state) {
    const int wobble = i++ % 2;
    if (onView) zoom.zoomageMouseMove(TPoint{75 + 4 * wobble, 75 - 4 * wobble});
    else form1.ImageMouseMove(form1.Image, 199 + wobble, 200 - wobble);
    QApplication::processEvents();
  }
  form1.ImageMouseDown(form1.Image, 0, 200, 200);
}
BENCHMARK(BM_PreviewMoveWithZoom4000)->ArgName("onView")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
