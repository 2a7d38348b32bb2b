// Writing a 4000 x 4000 photo-like picture as PNG to memory, side by side with libpng writing
// the same pixels with filter None at the same zlib level: the encoder should stay within
// 1.05 times libpng. Nearly all the time is deflate, so the difference is the row conversion
// and the chunking around it.
#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "png/viraviz.h"

namespace {

constexpr int kSide = 4000;

// Smooth gradients with a little noise, the same every run: compresses like a photograph,
// neither as well as flat colour nor as badly as pure noise.
const TBitmap& photo(TPixelFormat format) {
  static TBitmap pictures[8];
  TBitmap& image = pictures[format];
  if (!image.Empty()) return image;
  image.SetPixelFormat(format);
  image.SetSize(kSide, kSide);
  const int bytes = BitsPerPixel(format) / 8;
  std::mt19937 rng(7);
  for (int y = 0; y < kSide; ++y) {
    std::uint8_t* row = image.MutableRow(y);
    for (int x = 0; x < kSide; ++x) {
      const double r = 128 + 100 * std::sin(x * 0.003 + y * 0.001);
      const double g = 128 + 90 * std::cos(y * 0.004 - x * 0.0007);
      const double b = 64 + 0.03 * (x + y);
      const int noise = int(rng() % 9) - 4;
      std::uint8_t* p = row + std::size_t(x) * bytes;
      p[0] = std::uint8_t(std::clamp(int(b) + noise, 0, 255));
      p[1] = std::uint8_t(std::clamp(int(g) + noise, 0, 255));
      p[2] = std::uint8_t(std::clamp(int(r) + noise, 0, 255));
    }
  }
  return image;
}

void setBytes(benchmark::State& state, const TBitmap& image) {
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(image.ByteSize()));
}

void BM_ZudozoPng(benchmark::State& state) {
  VIRAVIZ picture;
  picture.Assign(photo(TPixelFormat(state.range(0))));
  std::vector<std::uint8_t> file;
  for (auto _ : state) {
    file.clear();
    picture.SaveToStream([&file](const std::uint8_t* data, std::size_t size) { file.insert(file.end(), data, data + size); });
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["file_MB"] = double(file.size()) / 1e6;
  setBytes(state, picture.Image);
}

void appendToVector(png_structp png, png_bytep data, png_size_t size) {
  auto* file = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  file->insert(file->end(), data, data + size);
}

// libpng given the bitmap's own rows: blue-green-red order, 32-bit pixels with their spare
// byte stripped, as the encoder does.
void writeWithLibpng(const TBitmap& image, std::vector<std::uint8_t>& file) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return;
  }
  png_set_write_fn(png, &file, appendToVector, nullptr);
  png_set_IHDR(png, info, kSide, kSide, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  png_set_bgr(png);
  if (BitsPerPixel(image.PixelFormat()) == 32) png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < image.Height(); ++y) png_write_row(png, const_cast<png_bytep>(image.Row(y)));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
}

void BM_Libpng(benchmark::State& state) {
  const TBitmap& image = photo(TPixelFormat(state.range(0)));
  std::vector<std::uint8_t> file;
  for (auto _ : state) {
    file.clear();
    writeWithLibpng(image, file);
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["file_MB"] = double(file.size()) / 1e6;
  setBytes(state, image);
}

}  // namespace

BENCHMARK(BM_ZudozoPng)->Arg(pf24bit)->Arg(pf32bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Libpng)->Arg(pf24bit)->Arg(pf32bit)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
