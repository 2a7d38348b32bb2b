// The image operations on a 4000 x 4000 32-bit picture: colour conversion of the whole picture,
// a left-right mirror, resize to 50 % and horizontal gradient stripes, beside one memcpy of the
// same 64 MB.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "imageops/color_conversion.h"
#include "imageops/picture_resize.h"
#include "imageops/region_gradient.h"
#include "imageops/region_mirror.h"
#include "surface/bitmap.h"

namespace {

constexpr int kSide = 4000;
const TRect kWhole{0, 0, kSide, kSide};

// A photo-like picture: every component varies over the picture.
void FillPhoto(TBitmap& b) {
  for (int y = 0; y < kSide; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(b.MutableRow(y));
    for (int x = 0; x < kSide; ++x)
      row[x] = std::uint32_t((x * 7 + y) & 0xFF) | std::uint32_t(((x ^ y) & 0xFF) << 8) |
               std::uint32_t(((x + y * 3) & 0xFF) << 16);
  }
}

TBitmap& Photo() {
  static TBitmap photo(kSide, kSide);
  static const bool filled = (FillPhoto(photo), true);
  (void)filled;
  return photo;
}

void BM_ColorConversion(benchmark::State& state) {
  TBitmap b(kSide, kSide);
  TColorRange range;
  range.low[0] = 64;
  range.high[0] = 192;
  range.high[2] = 128;
  for (auto _ : state) {
    state.PauseTiming();
    b.Assign(Photo());
    b.PrepareToWrite(b.BoundsRect());  // the copy on write is not the conversion's cost
    state.ResumeTiming();
    ConvertColorRange(b, TRect{0, 0, kSide - 1, kSide - 1}, range, clRed);
  }
}

void BM_MirrorLeftRight(benchmark::State& state) {
  TBitmap b(kSide, kSide);
  b.Assign(Photo());
  for (auto _ : state) MirrorRegionLeftRight(b, kWhole);
}

void BM_MirrorTopBottom(benchmark::State& state) {
  TBitmap b(kSide, kSide);
  b.Assign(Photo());
  for (auto _ : state) MirrorRegionTopBottom(b, kWhole);
}

void BM_ResizeHalf(benchmark::State& state) {
  TBitmap b(kSide, kSide);
  for (auto _ : state) {
    state.PauseTiming();
    b.Assign(Photo());
    state.ResumeTiming();
    ResizePicture(b, ScaledSize(50, kSide, kSide));
  }
}

void BM_GradientHorizontal(benchmark::State& state) {
  TBitmap b(kSide, kSide);
  b.Assign(Photo());
  for (auto _ : state)
    DrawGradientStripes(b, TRect{0, 0, kSide, kSide - 1}, clRed, clBlue, pmCopy, TStripes::Horizontal);
}

void BM_Memcpy64MB(benchmark::State& state) {
  std::vector<std::uint8_t> from(std::size_t(kSide) * kSide * 4, 1), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}

}  // namespace

BENCHMARK(BM_ColorConversion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorLeftRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorTopBottom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeHalf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientHorizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy64MB)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
