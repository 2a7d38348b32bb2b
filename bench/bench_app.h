#pragma once
// The running program for window benchmarks: started once, shown, its document resized on
// demand to a white 32-bit picture of the asked size; and the reference they are measured
// against, one copy of a 4000 x 4000 32-bit picture (register it with BENCHMARK).
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "app/form1.h"
#include "app/startup.h"

// The program's windows must go while QApplication is still there: main ends them with
// EndBenchApp before it returns, not the exit handlers after it.
inline std::unique_ptr<TZudozoApp>& BenchAppSlot() {
  static std::unique_ptr<TZudozoApp> app;
  return app;
}

inline void EndBenchApp() { BenchAppSlot().reset(); }

inline TZudozoApp& BenchApp(int width, int height) {
  std::unique_ptr<TZudozoApp>& app = BenchAppSlot();
  if (!app) {
    app = std::make_unique<TZudozoApp>(QStringList{});
    app->ShowMainWindow();
  }
  TBitmap& picture = app->Document().Picture();
  if (picture.Width() != width || picture.Height() != height) {
    app->Document().ReplaceWithNewPicture(width, height, pf32bit);
    app->Form1().ResetDocumentView();
    app->Form1().StartHistory();
    QApplication::processEvents();
  }
  return *app;
}

// Times pointer moves of a rectangle's rubber band from (0, 0) to about (200, 200): each move
// takes back the last preview, draws the new one and repaints what changed. The stroke ends
// after the timing.
inline void MeasureRectanglePreviewMoves(TForm1& form1, benchmark::State& state) {
  form1.dtExecute(3);
  form1.ImageMouseDown(form1.Image, 0, 0, 0);
  form1.ImageMouseUp(form1.Image, 0, 0, 0);
  int i = 0;
  for (auto _ : state) {
    const int wobble = i++ % 2;
    form1.ImageMouseMove(form1.Image, 199 + wobble, 200 - wobble);
    QApplication::processEvents();
  }
  form1.ImageMouseDown(form1.Image, 0, 200, 200);
}

inline void BM_Memcpy4000(benchmark::State& state) {
  std::vector<std::uint8_t> from(4000u * 4000u * 4u, 1), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}
