// The main of the window benchmarks: the real widgets, on the offscreen platform unless a
// display is asked for.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "bench_app.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndBenchApp();
  return 0;
}
