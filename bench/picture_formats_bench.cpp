// Opening a 4000 x 4000 WebP (lossless and lossy) and TIFF file, side by side in one run with
// ImageMagick's convert reading the same file to raw 8-bit pixels and with Qt's image plugins
// (QImageReader, package qt6-image-formats-plugins) reading it; and the writers' time. The
// files are written once by the program's own writers into a temporary folder.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "photo_picture.h"
#include "document/picture_loader.h"
#include "document/tiff_file.h"
#include "document/webp_file.h"

namespace {

constexpr int kSide = 4000;
constexpr int kLossyQuality = 90;

const TBitmap& picture() {
  static TBitmap bmp;
  if (bmp.Empty()) FillPhotoLike(bmp, kSide, 4);
  return bmp;
}

const std::filesystem::path& folder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("zudozo-formats-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

// The file of that name, written by the program's writer the first time it is asked for.
std::string file(const std::string& name) {
  const std::string path = (folder() / name).string();
  if (!std::filesystem::exists(path)) {
    if (name == "lossless.webp") SaveWebpFile(picture(), path);
    if (name == "lossy.webp") SaveWebpFile(picture(), path, kLossyQuality);
    if (name == "picture.tif") SaveTiffFile(picture(), path);
  }
  return path;
}

void BM_Open(benchmark::State& state, const char* name) {
  const std::string path = file(name);
  for (auto _ : state) {
    TBitmap bmp;
    LoadPicture(path, bmp);
    benchmark::DoNotOptimize(bmp.Bits());
  }
  state.counters["file_MB"] = double(std::filesystem::file_size(path)) / 1e6;
}

void BM_ImageMagick(benchmark::State& state, const char* name) {
  const std::string command = "convert '" + file(name) + "' -depth 8 rgb:/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("convert failed");
  }
}

void BM_QtReader(benchmark::State& state, const char* name) {
  const QString path = QString::fromStdString(file(name));
  for (auto _ : state) {
    QImageReader reader(path);
    reader.setAllocationLimit(1024);
    const QImage image = reader.read();
    if (image.isNull()) state.SkipWithError("QImageReader cannot read the file (qt6-image-formats-plugins?)");
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_SaveWebpLossless(benchmark::State& state) {
  const std::string path = (folder() / "saved.webp").string();
  for (auto _ : state) SaveWebpFile(picture(), path);
}
void BM_SaveWebpLossy(benchmark::State& state) {
  const std::string path = (folder() / "saved-lossy.webp").string();
  for (auto _ : state) SaveWebpFile(picture(), path, kLossyQuality);
}
void BM_SaveTiff(benchmark::State& state) {
  const std::string path = (folder() / "saved.tif").string();
  for (auto _ : state) SaveTiffFile(picture(), path);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Open, lossless_webp, "lossless.webp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ImageMagick, lossless_webp, "lossless.webp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_QtReader, lossless_webp, "lossless.webp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Open, lossy_webp, "lossy.webp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ImageMagick, lossy_webp, "lossy.webp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_QtReader, lossy_webp, "lossy.webp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Open, tiff, "picture.tif")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ImageMagick, tiff, "picture.tif")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_QtReader, tiff, "picture.tif")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveWebpLossless)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SaveWebpLossy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveTiff)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder());
  return 0;
}
