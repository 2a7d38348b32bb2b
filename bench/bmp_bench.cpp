// Loading and saving a 4000 x 4000 32-bit bitmap file, side by side with one memcpy of its
// pixels: reading and writing should stay within three times the copy.
//
// A new 64 MB picture is fresh memory, and with 4 KiB pages the kernel's first-touch faults can
// cost several copies' worth (BM_MemcpyIntoNewBuffer shows how much). Run with
// GLIBC_TUNABLES=glibc.malloc.hugetlb=1 (transparent huge pages for large blocks) to measure the
// codec rather than the page faults.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "document/bmp_file.h"
#include "fileio/picture_file_io.h"

namespace {

constexpr int kSide = 4000;

const TBitmap& picture(TPixelFormat f) {
  static TBitmap bitmaps[8];
  TBitmap& bmp = bitmaps[f];
  if (bmp.Empty()) {
    bmp.SetPixelFormat(f);
    bmp.SetSize(kSide, kSide);
    std::mt19937 rng(1);
    std::uint8_t* bits = bmp.MutableBits();
    for (std::size_t i = 0; i < bmp.ByteSize(); ++i) bits[i] = std::uint8_t(rng());
    if (BitsPerPixel(f) == 32)
      for (std::size_t i = 3; i < bmp.ByteSize(); i += 4) bits[i] = 0;  // the spare byte
  }
  return bmp;
}

void setBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

void BM_MemcpyPixels(benchmark::State& state) {
  const TBitmap& bmp = picture(pf32bit);
  std::vector<std::uint8_t> copy(bmp.ByteSize());
  for (auto _ : state) {
    std::memcpy(copy.data(), bmp.Bits(), bmp.ByteSize());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  setBytes(state, bmp.ByteSize());
}

// What any reader that makes a new picture pays at least: fresh memory (the kernel maps and
// clears every page on first touch) and one copy into it.
void BM_MemcpyIntoNewBuffer(benchmark::State& state) {
  const TBitmap& bmp = picture(pf32bit);
  for (auto _ : state) {
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bmp.ByteSize()]);
    std::memcpy(copy.get(), bmp.Bits(), bmp.ByteSize());
    benchmark::DoNotOptimize(copy.get());
    benchmark::ClobberMemory();
  }
  setBytes(state, bmp.ByteSize());
}

void BM_ReadBmp(benchmark::State& state) {
  const TBitmap& bmp = picture(TPixelFormat(state.range(0)));
  const std::vector<std::uint8_t> file = WriteBmp(bmp);
  for (auto _ : state) {
    TBitmap out;
    ReadBmp(file.data(), file.size(), out);
    benchmark::DoNotOptimize(out.Bits());
  }
  setBytes(state, bmp.ByteSize());
}

void BM_WriteBmp(benchmark::State& state) {
  const TBitmap& bmp = picture(TPixelFormat(state.range(0)));
  for (auto _ : state) {
    std::vector<std::uint8_t> file = WriteBmp(bmp);
    benchmark::DoNotOptimize(file.data());
  }
  setBytes(state, bmp.ByteSize());
}

// What any safe save of the pixels costs the file system: the picture's bytes in one piece
// through the same temporary file, flush to disk and rename.
void BM_WriteFileSafelyPixels(benchmark::State& state) {
  const TBitmap& bmp = picture(pf32bit);
  const std::string path = "/tmp/zudozo-bmp-bench-" + std::to_string(::getpid()) + ".raw";
  for (auto _ : state) WriteFileSafely(path, bmp.Bits(), bmp.ByteSize());
  ::unlink(path.c_str());
  setBytes(state, bmp.ByteSize());
}

// Saving alone through a file in /tmp (page cache warm), the safe write's flush to disk and
// rename included: compare its CPU time with the copy; the wall time includes the disk.
void BM_SaveBmpFile(benchmark::State& state) {
  const TBitmap& bmp = picture(TPixelFormat(state.range(0)));
  const std::string path = "/tmp/zudozo-bmp-bench-" + std::to_string(::getpid()) + ".bmp";
  for (auto _ : state) SaveBmpFile(bmp, path);
  ::unlink(path.c_str());
  setBytes(state, bmp.ByteSize());
}

// Save then load through a file in /tmp (page cache warm), the safe-write rename included.
void BM_SaveLoadFile(benchmark::State& state) {
  const TBitmap& bmp = picture(pf32bit);
  const std::string path = "/tmp/zudozo-bmp-bench-" + std::to_string(::getpid()) + ".bmp";
  for (auto _ : state) {
    SaveBmpFile(bmp, path);
    TBitmap out;
    LoadBmpFile(path, out);
    benchmark::DoNotOptimize(out.Bits());
  }
  ::unlink(path.c_str());
  setBytes(state, bmp.ByteSize());
}

}  // namespace

BENCHMARK(BM_MemcpyPixels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyIntoNewBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBmp)->Arg(pf32bit)->Arg(pf24bit)->Arg(pf8bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBmp)->Arg(pf32bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFileSafelyPixels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBmpFile)->Arg(pf32bit)->Arg(pf24bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLoadFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
