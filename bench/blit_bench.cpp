// Copies and flood fill of a 4000 x 4000 32-bit picture, side by side with one memcpy of the
// same 64 MB and, for the fill, a plain scanline-stack fill written for comparison.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

constexpr int kSide = 4000;

// White with black discs of random sizes over about half of it: the white left is one large,
// irregular area (plus a few enclosed pockets).
void DrawObstacles(TBitmap& b) {
  std::uint32_t state = 12345;
  auto next = [&state](int n) {
    state = state * 1664525u + 1013904223u;
    return int((state >> 8) % std::uint32_t(n));
  };
  for (int i = 0; i < 5000; ++i) {
    const int cx = next(kSide), cy = next(kSide), r = 5 + next(36);
    for (int y = std::max(0, cy - r); y <= std::min(kSide - 1, cy + r); ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(b.MutableRow(y));
      for (int x = std::max(0, cx - r); x <= std::min(kSide - 1, cx + r); ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) row[x] = 0;
    }
  }
}

// The classic scanline fill with a stack of seed points, on raw 32-bit pixels.
void PlainSpanStackFill(std::uint32_t* bits, int w, int h, int x, int y, std::uint32_t from, std::uint32_t to) {
  std::vector<std::pair<int, int>> stack{{x, y}};
  while (!stack.empty()) {
    auto [sx, sy] = stack.back();
    stack.pop_back();
    std::uint32_t* row = bits + std::size_t(sy) * w;
    while (sx > 0 && row[sx - 1] == from) --sx;
    bool above = false, below = false;
    for (; sx < w && row[sx] == from; ++sx) {
      row[sx] = to;
      if (sy > 0) {
        const bool m = row[sx - w] == from;
        if (m && !above) stack.push_back({sx, sy - 1});
        above = m;
      }
      if (sy < h - 1) {
        const bool m = row[sx + w] == from;
        if (m && !below) stack.push_back({sx, sy + 1});
        below = m;
      }
    }
  }
}

struct Scene {
  TBitmap picture{kSide, kSide, pf32bit};
  int seedX = 0, seedY = 0;
  std::int64_t areaPixels = 0;
  Scene() {
    DrawObstacles(picture);
    // The seed: the first white pixel of the middle row, and the size of its area, counted by
    // filling a copy.
    for (seedX = 0; picture.GetPixel(seedX, kSide / 2) != clWhite; ++seedX) {}
    seedY = kSide / 2;
    TBitmap copy;
    copy.Assign(picture);
    copy.Canvas().Brush.Color = clRed;
    copy.Canvas().FloodFill(seedX, seedY, clWhite);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) areaPixels += copy.GetPixel(x, y) == clRed;
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BM_Memcpy64MB(benchmark::State& state) {
  std::vector<std::uint8_t> a(std::size_t(kSide) * kSide * 4, 1), b(a.size(), 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size());
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(a.size()));
}

// Fills the area back and forth between white and red, so that every run fills the same area.
void BM_FloodFill(benchmark::State& state) {
  Scene& s = TheScene();
  TBitmap b;
  b.Assign(s.picture);
  b.PrepareToWrite(b.BoundsRect());  // the pages become the copy's own before the timing
  TColor from = clWhite, to = clRed;
  for (auto _ : state) {
    b.Canvas().Brush.Color = to;
    b.Canvas().FloodFill(s.seedX, s.seedY, from);
    std::swap(from, to);
  }
  state.counters["area_pixels"] = double(s.areaPixels);
}

void BM_PlainSpanStackFill(benchmark::State& state) {
  Scene& s = TheScene();
  TBitmap b;
  b.Assign(s.picture);
  b.PrepareToWrite(b.BoundsRect());
  auto* bits = reinterpret_cast<std::uint32_t*>(b.MutableBits());
  std::uint32_t from = b.ColorToRaw(clWhite), to = b.ColorToRaw(clRed);
  for (auto _ : state) {
    PlainSpanStackFill(bits, kSide, kSide, s.seedX, s.seedY, from, to);
    std::swap(from, to);
  }
  state.counters["area_pixels"] = double(s.areaPixels);
}

// A whole-picture copy between two 32-bit bitmaps with the given copy mode.
void CopyWhole(benchmark::State& state, TCopyMode mode, bool useDraw, bool transparent) {
  TBitmap src(kSide, kSide, pf32bit), dest(kSide, kSide, pf32bit);
  DrawObstacles(src);
  src.Transparent = transparent;
  dest.MutableBits();
  dest.Canvas().CopyMode = mode;
  for (auto _ : state) {
    if (useDraw)
      dest.Canvas().Draw(0, 0, src);
    else
      dest.Canvas().CopyRect(dest.BoundsRect(), src.Canvas(), src.BoundsRect());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(dest.ByteSize()));
}

void BM_CopyRectSrcCopy(benchmark::State& s) { CopyWhole(s, cmSrcCopy, false, false); }
void BM_DrawSrcCopy(benchmark::State& s) { CopyWhole(s, cmSrcCopy, true, false); }
void BM_DrawSrcInvert(benchmark::State& s) { CopyWhole(s, cmSrcInvert, true, false); }
void BM_DrawSrcPaint(benchmark::State& s) { CopyWhole(s, cmSrcPaint, true, false); }
void BM_DrawSrcAnd(benchmark::State& s) { CopyWhole(s, cmSrcAnd, true, false); }
void BM_DrawWhiteness(benchmark::State& s) { CopyWhole(s, cmWhiteness, true, false); }
void BM_DrawTransparent(benchmark::State& s) { CopyWhole(s, cmSrcCopy, true, true); }

}  // namespace

BENCHMARK(BM_Memcpy64MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSpanStackFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyRectSrcCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawSrcCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawSrcInvert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawSrcPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawSrcAnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawWhiteness)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTransparent)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
