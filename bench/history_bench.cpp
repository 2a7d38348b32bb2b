// The history of many steps: storing a short stroke on a 9999 x 9999 picture, its undo and
// redo, the undo and redo of a mirror of the whole 4000 x 4000 picture (a drawing and a
// photo-like noise) beside one copy of the picture (a memcpy, and a bitmap copy in fresh memory), a resize's undo and redo, and the memory
// that 1,000 short strokes on 4000 x 4000 and 100 on 9999 x 9999 keep (counter history_MB).
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "history/picture_history.h"
#include "imageops/region_mirror.h"
#include "surface/canvas.h"

namespace {

constexpr int kBig = 9999;
constexpr int kMedium = 4000;

// A white picture with a grid of coloured lines, like a drawing; or one of noise.
void MakePicture(TBitmap& b, int side, bool noise) {
  b.SetSize(side, side);
  b.Canvas().Brush.Color = clWhite;
  b.Canvas().FillRect(b.BoundsRect());
  if (noise) {
    std::mt19937 random(7);
    for (int y = 0; y < side; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(b.MutableRow(y));
      for (int x = 0; x < side; ++x) row[x] = random() & 0xFFFFFF;
    }
    return;
  }
  for (int i = 0; i < side; i += 97) {
    b.Canvas().Pen.Color = TColor((i * 2654435761u) & 0xFFFFFF);
    b.Canvas().MoveTo(i, 0);
    b.Canvas().LineTo(side - i, side - 1);
  }
}

// A short stroke as the window draws it: a line some 50 pixels long, its rectangle marked.
void ShortStroke(TBitmap& picture, TPictureHistory& history, int i) {
  const int side = picture.Width();
  const int x = int((i * 7919u) % unsigned(side - 60)), y = int((i * 104729u) % unsigned(side - 60));
  TCanvas& canvas = picture.Canvas();
  canvas.Pen.Color = TColor((i * 40503u) & 0xFFFFFF);
  canvas.Pen.Width = 3;
  canvas.MoveTo(x, y);
  canvas.LineTo(x + 40, y + 30);
  history.MarkDirty(TRect{x - 3, y - 3, x + 44, y + 34});
}

// The picture is made its own before each stroke outside the timing: in the window the undo
// snapshot taken at the stroke's first press pays that copy whether or not there is a history.
void BM_StoreShortStroke9999(benchmark::State& state) {
  TBitmap picture;
  MakePicture(picture, kBig, false);
  TPictureHistory history;
  history.Reset(picture);
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ShortStroke(picture, history, i++);
    state.ResumeTiming();
    history.Commit(picture);
  }
}
BENCHMARK(BM_StoreShortStroke9999)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_UndoRedoShortStroke9999(benchmark::State& state) {
  TBitmap picture;
  MakePicture(picture, kBig, false);
  TPictureHistory history;
  history.Reset(picture);
  ShortStroke(picture, history, 1);
  history.Commit(picture);
  picture.MutableBits();
  for (auto _ : state) {
    history.Undo(picture);
    history.Redo(picture);
  }
  state.SetLabel("one undo and one redo");
}
BENCHMARK(BM_UndoRedoShortStroke9999)->Unit(benchmark::kMillisecond);

// Mirror of the whole picture: a step of every tile. Arg 0 a drawing, 1 noise.
void BM_UndoRedoWholeMirror4000(benchmark::State& state) {
  TBitmap picture;
  MakePicture(picture, kMedium, state.range(0) == 1);
  TPictureHistory history;
  history.Reset(picture);
  MirrorRegionLeftRight(picture, picture.BoundsRect());
  history.MarkDirty(picture.BoundsRect());
  history.Commit(picture);
  for (auto _ : state) {
    history.Undo(picture);
    history.Redo(picture);
  }
  state.SetLabel("one undo and one redo");
  state.counters["history_MB"] = double(history.BytesHeld()) / 1e6;
}
BENCHMARK(BM_UndoRedoWholeMirror4000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Storing the mirror of the whole picture: every tile compared, both sides compressed.
void BM_StoreWholeMirror4000(benchmark::State& state) {
  TBitmap picture;
  MakePicture(picture, kMedium, state.range(0) == 1);
  TPictureHistory history;
  history.Reset(picture);
  for (auto _ : state) {
    MirrorRegionLeftRight(picture, picture.BoundsRect());
    history.MarkDirty(picture.BoundsRect());
    history.Commit(picture);
  }
}
BENCHMARK(BM_StoreWholeMirror4000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A step that changes the size: the whole picture on both sides.
void BM_UndoRedoResize4000(benchmark::State& state) {
  TBitmap picture;
  MakePicture(picture, kMedium, false);
  TPictureHistory history;
  history.Reset(picture);
  picture.SetSize(kMedium / 2, kMedium / 2);
  history.MarkReplaced();
  history.Commit(picture);
  for (auto _ : state) {
    history.Undo(picture);
    history.Redo(picture);
  }
  state.SetLabel("one undo and one redo");
}
BENCHMARK(BM_UndoRedoResize4000)->Unit(benchmark::kMillisecond);

void BM_Memcpy4000(benchmark::State& state) {
  std::vector<std::uint8_t> from(std::size_t(kMedium) * kMedium * 4, 1), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(BM_Memcpy4000)->Unit(benchmark::kMillisecond);

// One copy of the picture as the program makes it: fresh memory, then the pixels.
void BM_PictureCopy4000(benchmark::State& state) {
  TBitmap picture;
  MakePicture(picture, kMedium, false);
  for (auto _ : state) {
    TBitmap copy;
    copy.Assign(picture);
    benchmark::DoNotOptimize(copy.MutableBits());
  }
}
BENCHMARK(BM_PictureCopy4000)->Unit(benchmark::kMillisecond);

// Memory kept by many short strokes: range(0) strokes on a picture of side range(1).
void BM_MemoryOfShortStrokes(benchmark::State& state) {
  const int strokes = int(state.range(0)), side = int(state.range(1));
  for (auto _ : state) {
    TBitmap picture;
    MakePicture(picture, side, false);
    TPictureHistory history;
    history.Reset(picture);
    for (int i = 0; i < strokes; ++i) {
      ShortStroke(picture, history, i);
      history.Commit(picture);
    }
    state.counters["history_MB"] = double(history.BytesHeld()) / 1e6;
    state.counters["steps"] = double(history.StepCount());
  }
}
BENCHMARK(BM_MemoryOfShortStrokes)->Args({1000, kMedium})->Args({100, kBig})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
