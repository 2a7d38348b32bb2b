// The recovery copy of a 4000 x 4000 picture: what the user-interface thread pays to hand it
// over (sharing the pixels; with the next drawing that then makes the picture's pixels its own
// beside one copy of the pixels), the worker's time and file size for the two candidate
// formats (raw rows through zstd, chosen; our PNG encoder at its fastest level) beside the
// picture's PNG at the default level, and a pointer move during a stroke with a copy being
// written all the time.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "bench_app.h"
#include "png/viraviz.h"
#include "recovery/recovery_file.h"
#include "recovery/recovery_writer.h"
#include "recovery/ui/recovery_scheduler.h"
#include "surface/canvas.h"

namespace {

constexpr int kSide = 4000;

// 0: a drawing (white with a few hundred coloured figures), 1: photo-like gradients with noise.
const TBitmap& picture(int kind) {
  static TBitmap pictures[2];
  TBitmap& image = pictures[kind];
  if (!image.Empty()) return image;
  image.SetSize(kSide, kSide);
  std::mt19937 rng(7);
  if (kind == 0) {
    TCanvas& canvas = image.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(image.BoundsRect());
    for (int i = 0; i < 300; ++i) {
      canvas.Pen.Color = TColor(rng() & 0xFFFFFF);
      canvas.Brush.Color = TColor(rng() & 0xFFFFFF);
      canvas.Pen.Width = 1 + int(rng() % 8);
      const int x = int(rng() % kSide), y = int(rng() % kSide);
      canvas.Ellipse(x, y, x + int(rng() % 400), y + int(rng() % 400));
    }
    return image;
  }
  for (int y = 0; y < kSide; ++y) {
    std::uint8_t* row = image.MutableRow(y);
    for (int x = 0; x < kSide; ++x) {
      const int noise = int(rng() % 9) - 4;
      row[4 * x] = std::uint8_t(std::clamp(int(64 + 0.03 * (x + y)) + noise, 0, 255));
      row[4 * x + 1] = std::uint8_t(std::clamp(int(128 + 90 * std::cos(y * 0.004 - x * 0.0007)) + noise, 0, 255));
      row[4 * x + 2] = std::uint8_t(std::clamp(int(128 + 100 * std::sin(x * 0.003 + y * 0.001)) + noise, 0, 255));
      row[4 * x + 3] = 0;
    }
  }
  return image;
}

void BM_RecoveryZstd(benchmark::State& state) {
  const TBitmap& image = picture(int(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) bytes = EncodeRecoveryCopy(image, "/home/u/a.png", 0).size();
  state.counters["file_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_RecoveryZstd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void pngSize(benchmark::State& state, std::uint8_t level) {
  VIRAVIZ png;
  png.Assign(picture(int(state.range(0))));
  png.CompressionLevel = level;
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    png.SaveToStream([&bytes](const std::uint8_t*, std::size_t size) { bytes += size; });
  }
  state.counters["file_MB"] = double(bytes) / 1e6;
}
void BM_RecoveryPngFastest(benchmark::State& state) { pngSize(state, 2); }
BENCHMARK(BM_RecoveryPngFastest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
void BM_PicturePngDefault(benchmark::State& state) { pngSize(state, 1); }
BENCHMARK(BM_PicturePngDefault)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_Memcpy4000)->Unit(benchmark::kMillisecond);

// The user-interface thread's part: the hand-over alone, and the hand-over followed by the
// first drawing, which then copies the shared pixels once.
void BM_UiHandOver(benchmark::State& state) {
  TZudozoApp& app = BenchApp(kSide, kSide);
  TRecoveryScheduler scheduler(app.Document(), nullptr, nullptr, "/tmp/zudozo-recovery-bench.recovery");
  const bool thenDraw = state.range(0) != 0;
  for (auto _ : state) {
    scheduler.DocumentChanged();
    scheduler.WriteNow();
    if (thenDraw) app.Document().Picture().SetPixel(1, 1, clRed);
    state.PauseTiming();
    scheduler.Writer().WaitIdle();
    state.ResumeTiming();
  }
}
// Each hand-over waits, untimed, for its copy to be written: a fixed count keeps the run short.
BENCHMARK(BM_UiHandOver)->Arg(0)->Arg(1)->Iterations(100)->Unit(benchmark::kMillisecond);

// strokes_ui_bench's pointer move, alone (Arg 0) and with copies of the picture being written
// one after another (Arg 1).
void BM_PreviewMoveWhileWriting(benchmark::State& state) {
  TForm1& form1 = BenchApp(kSide, kSide).Form1();
  std::atomic<bool> stop{false};
  std::thread writer;
  if (state.range(0)) {
    writer = std::thread([&stop] {
      TRecoveryWriter copies("/tmp/zudozo-recovery-bench-2.recovery");
      while (!stop) {
        copies.Write(picture(0), "a.png", 0);
        copies.WaitIdle();
      }
      copies.Remove();
    });
  }
  MeasureRectanglePreviewMoves(form1, state);
  stop = true;
  if (writer.joinable()) writer.join();
}
BENCHMARK(BM_PreviewMoveWhileWriting)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
