// Loading and saving a 4000 x 4000 JPEG picture, side by side with libjpeg alone doing the same
// work (same quality, blue-green-red-spare rows in and out, libjpeg's default settings): our
// reader and writer should stay within 1.1 times libjpeg.
//
// Our reader makes a new picture each time; libjpeg alone is measured both into a new buffer
// (the same work) and into one buffer allocated before timing (no memory costs). Run with GLIBC_TUNABLES=glibc.malloc.hugetlb=1
// as for the bitmap benchmark.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>
#include <unistd.h>

#include <jpeglib.h>

#include "photo_picture.h"
#include "document/jpeg_file.h"

namespace {

constexpr int kSide = 4000;

const TBitmap& picture() {
  static TBitmap bmp;
  if (bmp.Empty()) FillPhotoLike(bmp, kSide, 8);
  return bmp;
}

const std::vector<std::uint8_t>& pictureFile() {
  static std::vector<std::uint8_t> file;
  if (file.empty())
    WriteJpeg(picture(), [](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
  return file;
}

void setPixels(benchmark::State& state) {
  state.SetItemsProcessed(std::int64_t(state.iterations()) * kSide * kSide);
}

void libjpegDecode(const std::vector<std::uint8_t>& file, std::uint8_t* pixels) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels + std::size_t(cinfo.output_scanline) * kSide * 4;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

// libjpeg alone into one buffer allocated before timing: no memory costs at all.
void BM_LibjpegDecode(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = pictureFile();
  std::vector<std::uint8_t> pixels(std::size_t(kSide) * kSide * 4);
  for (auto _ : state) {
    libjpegDecode(file, pixels.data());
    benchmark::DoNotOptimize(pixels.data());
  }
  setPixels(state);
}

// libjpeg alone into a new buffer each time, as any reader that makes a new picture must: the
// kernel clears every fresh page on first touch.
void BM_LibjpegDecodeNewBuffer(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = pictureFile();
  for (auto _ : state) {
    std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[std::size_t(kSide) * kSide * 4]);
    libjpegDecode(file, pixels.get());
    benchmark::DoNotOptimize(pixels.get());
  }
  setPixels(state);
}

void BM_ReadJpeg(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = pictureFile();
  for (auto _ : state) {
    TBitmap out;
    ReadJpeg(file.data(), file.size(), out);
    benchmark::DoNotOptimize(out.Bits());
  }
  setPixels(state);
}

void BM_LoadJpegFile(benchmark::State& state) {
  const std::string path = "/tmp/zudozo-jpeg-bench-" + std::to_string(::getpid()) + ".jpg";
  SaveJpegFile(picture(), path);
  for (auto _ : state) {
    TBitmap out;
    LoadJpegFile(path, out);
    benchmark::DoNotOptimize(out.Bits());
  }
  ::unlink(path.c_str());
  setPixels(state);
}

void BM_LibjpegEncode(benchmark::State& state) {
  const TBitmap& bmp = picture();
  for (auto _ : state) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = kSide;
    cinfo.image_height = kSide;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = const_cast<JSAMPROW>(bmp.Row(int(cinfo.next_scanline)));
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    benchmark::DoNotOptimize(out);
    std::free(out);
  }
  setPixels(state);
}

void BM_WriteJpeg(benchmark::State& state) {
  const TBitmap& bmp = picture();
  for (auto _ : state) {
    std::vector<std::uint8_t> file;
    WriteJpeg(bmp, [&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
    benchmark::DoNotOptimize(file.data());
  }
  setPixels(state);
}

// Saving through the temporary file and rename, in /tmp.
void BM_SaveJpegFile(benchmark::State& state) {
  const std::string path = "/tmp/zudozo-jpeg-bench-" + std::to_string(::getpid()) + ".jpg";
  for (auto _ : state) SaveJpegFile(picture(), path);
  ::unlink(path.c_str());
  setPixels(state);
}

}  // namespace

BENCHMARK(BM_LibjpegDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegDecodeNewBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJpegFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJpegFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
