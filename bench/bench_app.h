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

inline TZudozoApp& BenchApp(int width, int height) {
  static std::unique_ptr<TZudozoApp> app;
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

inline void BM_Memcpy4000(benchmark::State& state) {
  std::vector<std::uint8_t> from(4000u * 4000u * 4u, 1), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}
