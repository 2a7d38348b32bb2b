// Decoding a 4000 x 4000 photo-like RGB PNG (written once by libpng at its default compression
// and filter choice) beside libpng reading the same bytes into rows:
// - PngDecode/Libpng: libpng, from memory, into one buffer of RGB rows.
// - PngDecode/LoadFromStream: the PNG picture from memory, into a 24-bit image.
// - PngDecode/Streamed: the same with the image data inflated row by row, as the decoder does
//   where inflating them in one go would take too much memory.
// - PngDecode/LoadPngFile: the picture loader's path, from the file, into a 32-bit bitmap. Its
//   counter peak_growth_MiB is how far the process's resident memory rose above where it
//   started, over_picture_MiB the part of that beyond the picture itself.
// - PngDecode/LoadPngFile/own_encoder: the same for the photo as the program itself writes it,
//   which compresses less and so needs more room to inflate in one go.
// - PngUnfilter/<filter>/<pixel bytes>/<vector or scalar>: undoing one filter on all rows of
//   the photo's size, with the vector path and byte by byte.
#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "png/png_decoder.h"
#include "png/png_unfilter.h"
#include "png/viraviz.h"

namespace {

constexpr int kSide = 4000;

void appendToVector(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// Smooth shapes of light with a little sensor noise, as in a photograph.
void photoRow(int y, std::vector<std::uint8_t>& row, std::uint32_t& noise) {
  for (int x = 0; x < kSide; ++x) {
    const double u = x / 400.0, v = y / 300.0;
    const double base[3] = {120 + 90 * std::sin(u + 0.7 * v), 110 + 80 * std::cos(0.6 * u - v), 100 + 70 * std::sin(1.3 * v)};
    for (int c = 0; c < 3; ++c) {
      noise = noise * 1664525u + 1013904223u;
      const int value = int(base[c]) + int(noise >> 29) - 4;
      row[std::size_t(x) * 3 + c] = std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
    }
  }
}

void writeRows(png_structp png) {
  std::vector<std::uint8_t> row(std::size_t(kSide) * 3);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kSide; ++y) {
    photoRow(y, row, noise);
    png_write_row(png, row.data());
  }
}

// A libpng error ends the benchmark: nothing is unwound across its jump.
std::vector<std::uint8_t> writePhotoPng() {
  std::vector<std::uint8_t> file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();
  png_set_write_fn(png, &file, appendToVector, nullptr);
  png_set_IHDR(png, info, kSide, kSide, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  writeRows(png);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return file;
}

// The same photo written by the program's own encoder at its default settings.
std::vector<std::uint8_t> encodeOwn(const std::vector<std::uint8_t>& png) {
  VIRAVIZ pic;
  pic.LoadFromStream(png.data(), png.size());
  std::vector<std::uint8_t> file;
  pic.SaveToStream([&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
  return file;
}

struct PhotoFile {
  std::vector<std::uint8_t> bytes;
  std::string path;
  PhotoFile(std::vector<std::uint8_t> data, const std::string& name)
      : bytes(std::move(data)), path("/tmp/png_decode_bench_" + name + std::to_string(::getpid()) + ".png") {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  ~PhotoFile() { std::remove(path.c_str()); }
};

const PhotoFile& photo() {
  static const PhotoFile file(writePhotoPng(), "libpng");
  return file;
}

const PhotoFile& ownPhoto() {
  static const PhotoFile file(encodeOwn(photo().bytes), "own");
  return file;
}

struct MemoryInput {
  const std::uint8_t* data;
  std::size_t pos;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  std::memcpy(out, in->data + in->pos, n);
  in->pos += n;
}

// A libpng error ends the benchmark; only plain data lives between setjmp and libpng's calls.
void libpngDecode(const std::vector<std::uint8_t>& file, std::uint8_t* image, std::size_t imageBytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryInput in{file.data(), 0};
  if (setjmp(png_jmpbuf(png))) std::abort();
  png_set_read_fn(png, &in, readFromMemory);
  png_read_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  if (rowBytes * png_get_image_height(png, info) > imageBytes) std::abort();
  for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) png_read_row(png, image + y * rowBytes, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

void Libpng(benchmark::State& state) {
  const PhotoFile& file = photo();
  const std::size_t bytes = std::size_t(kSide) * kSide * 3;
  for (auto _ : state) {
    std::unique_ptr<std::uint8_t[]> image(new std::uint8_t[bytes]);  // as a decoder allocates its picture
    libpngDecode(file.bytes, image.get(), bytes);
    benchmark::DoNotOptimize(image[bytes - 1]);
  }
  state.counters["file_MiB"] = double(file.bytes.size()) / (1 << 20);
}

void LoadFromStream(benchmark::State& state) {
  const PhotoFile& file = photo();
  for (auto _ : state) {
    VIRAVIZ pic;
    pic.LoadFromStream(file.bytes.data(), file.bytes.size());
    benchmark::DoNotOptimize(pic.Image.Row(kSide - 1)[0]);
  }
}

void Streamed(benchmark::State& state) {
  const PhotoFile& file = photo();
  for (auto _ : state) {
    VIRAVIZ pic;
    PngByteReader in(file.bytes.data(), file.bytes.size());
    PngDecoder(in, pic, false, false).Run();
    benchmark::DoNotOptimize(pic.Image.Row(kSide - 1)[0]);
  }
}

long statusKiB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
  return 0;
}

void loadPngFile(benchmark::State& state, const PhotoFile& file) {
  long growth = 0;
  for (auto _ : state) {
    std::ofstream("/proc/self/clear_refs") << "5";  // peak resident memory starts again from now
    const long before = statusKiB("VmRSS:");
    {
      TBitmap out;
      LoadPngFile(file.path, out);
      benchmark::DoNotOptimize(out.Row(kSide - 1)[0]);
    }
    growth = std::max(growth, statusKiB("VmHWM:") - before);
  }
  const double pictureMiB = double(kSide) * kSide * 4 / (1 << 20);
  state.counters["peak_growth_MiB"] = double(growth) / 1024;
  state.counters["over_picture_MiB"] = double(growth) / 1024 - pictureMiB;
  state.counters["file_MiB"] = double(file.bytes.size()) / (1 << 20);
}

void LoadPngFileLibpng(benchmark::State& state) { loadPngFile(state, photo()); }
void LoadPngFileOwn(benchmark::State& state) { loadPngFile(state, ownPhoto()); }

void Unfilter(benchmark::State& state) {
  const auto filter = std::uint8_t(state.range(0));
  const int step = int(state.range(1));
  const bool vector = state.range(2) != 0;
  const std::size_t bytes = std::size_t(kSide) * std::size_t(step);
  std::vector<std::uint8_t> rows(bytes * 2);
  std::uint32_t noise = 99;
  for (std::uint8_t& b : rows) b = std::uint8_t((noise = noise * 1664525u + 1013904223u) >> 24);
  for (auto _ : state) {
    for (int y = 0; y < kSide; ++y) {
      std::uint8_t* row = rows.data() + std::size_t(y & 1) * bytes;
      const std::uint8_t* prev = rows.data() + std::size_t((y + 1) & 1) * bytes;
      if (vector)
        UnfilterPngRow(filter, row, prev, bytes, step);
      else
        UnfilterPngRowScalar(filter, row, prev, bytes, step);
    }
    benchmark::DoNotOptimize(rows.data());
  }
}

}  // namespace

BENCHMARK(Libpng)->Name("PngDecode/Libpng")->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(LoadFromStream)->Name("PngDecode/LoadFromStream")->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(Streamed)->Name("PngDecode/Streamed")->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(LoadPngFileLibpng)->Name("PngDecode/LoadPngFile")->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(LoadPngFileOwn)->Name("PngDecode/LoadPngFile/own_encoder")->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(Unfilter)
    ->Name("PngUnfilter")
    ->ArgNames({"filter", "step", "vector"})
    ->ArgsProduct({{1, 2, 3, 4}, {3, 4}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
