// The decoder over whole streams: random pictures of every colour type, depth, filter and
// interlacing against libpng; files read through the buffered reader and the picture loader's
// entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "png/adam7.h"
#include "png/png_libpng_reference.h"
#include "png/png_picture_check.h"
#include "png/png_test_writer.h"
#include "png/viraviz.h"

namespace {

struct RandomPng {
  int colorType;
  int depth;
};

int channelsOf(int colorType) { return colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1; }

// Packs the samples of the pixels at columns xs of one image row, as a PNG row holds them.
PngBytes packRow(const std::vector<int>& samples, int width, int y, const std::vector<int>& xs, int channels, int depth) {
  PngBytes row;
  int bits = 0, filled = 0;
  for (int x : xs) {
    for (int c = 0; c < channels; ++c) {
      const int v = samples[(std::size_t(y) * width + x) * channels + c];
      if (depth == 16) {
        row.insert(row.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
      } else {
        bits = (bits << depth) | v;
        filled += depth;
        if (filled == 8) row.push_back(std::uint8_t(bits)), bits = 0, filled = 0;
      }
    }
  }
  if (filled > 0) row.push_back(std::uint8_t(bits << (8 - filled)));
  return row;
}

// Image data of random samples: every row of every pass filtered by a random filter.
PngBytes randomImageData(const std::vector<int>& samples, int width, int height, const RandomPng& kind, bool interlaced,
                         std::mt19937& rng) {
  const int channels = channelsOf(kind.colorType);
  const int step = std::max(1, channels * kind.depth / 8);
  std::vector<TAdam7Pass> passes(kAdam7Passes.begin(), kAdam7Passes.end());
  if (!interlaced) passes = {TAdam7Pass{0, 0, 1, 1}};
  PngBytes data;
  for (const TAdam7Pass& pass : passes) {
    std::vector<int> xs;
    for (int x = pass.x0; x < width; x += pass.dx) xs.push_back(x);
    if (xs.empty()) continue;
    PngBytes prev;
    for (int y = pass.y0; y < height; y += pass.dy) {
      const PngBytes raw = packRow(samples, width, y, xs, channels, kind.depth);
      const PngBytes filtered = FilterRow(int(rng() % 5), raw, prev, step);
      data.insert(data.end(), filtered.begin(), filtered.end());
      prev = raw;
    }
  }
  return Compress(data);
}

PngBytes randomPng(const RandomPng& kind, bool interlaced, std::mt19937& rng) {
  const int width = 1 + int(rng() % 19), height = 1 + int(rng() % 19);
  const int channels = channelsOf(kind.colorType);
  std::vector<int> samples(std::size_t(width) * height * channels);
  for (int& s : samples) s = int(rng() % (1u << kind.depth));
  std::vector<PngChunkSpec> chunks;
  if (kind.colorType == 3) {
    PngBytes plte(3u << kind.depth);
    for (std::uint8_t& b : plte) b = std::uint8_t(rng());
    chunks.push_back({"PLTE", plte});
  }
  const PngBytes idat = randomImageData(samples, width, height, kind, interlaced, rng);
  return BuildPng(IhdrData(std::uint32_t(width), std::uint32_t(height), kind.depth, kind.colorType, interlaced), chunks, idat);
}

// Rows end in zero bytes after their last pixel's byte, whatever memory the picture was given.
void expectZeroPadding(const TBitmap& b, const std::string& name) {
  const std::size_t used = (std::size_t(b.Width()) * BitsPerPixel(b.PixelFormat()) + 7) / 8;
  for (int y = 0; y < b.Height(); ++y)
    for (std::size_t i = used; i < b.Stride(); ++i) ASSERT_EQ(b.Row(y)[i], 0) << name << " row " << y;
}

TEST(PngDecoderStream, RandomPicturesOfEveryKindFilterAndInterlacingMatchLibpng) {
  const std::vector<RandomPng> kinds = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {4, 8}, {4, 16}, {2, 8},
                                        {2, 16}, {6, 8}, {6, 16}, {3, 1}, {3, 2}, {3, 4}, {3, 8}};
  std::mt19937 rng(2024);
  for (const RandomPng& kind : kinds) {
    for (int round = 0; round < 12; ++round) {
      const PngBytes file = randomPng(kind, round % 2 == 1, rng);
      LibpngImage ref;
      ASSERT_TRUE(ReadLibpngReference(file, ref));
      VIRAVIZ pic;
      pic.LoadFromStream(file.data(), file.size());
      const std::string name =
          "type " + std::to_string(kind.colorType) + " depth " + std::to_string(kind.depth) + " round " + std::to_string(round);
      ExpectPictureMatches(pic, ref, name);
      expectZeroPadding(pic.Image, name);
      if (pic.HasAlpha) expectZeroPadding(pic.AlphaMask, name + " mask");
    }
  }
}

class TempFile {
 public:
  explicit TempFile(const PngBytes& bytes)
      : path_(std::filesystem::temp_directory_path() / ("png_decoder_test_" + std::to_string(::getpid()) + ".png")) {
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  ~TempFile() { std::filesystem::remove(path_); }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// A 300 x 300 RGB picture of noise in IDAT chunks of 10000 bytes, behind a long private chunk:
// larger than the file reader's buffer, so the reader refills, skips and crosses chunks.
PngBytes largeNoisePng() {
  std::mt19937 rng(7);
  std::vector<PngBytes> rows(300, PngBytes(900));
  for (PngBytes& r : rows)
    for (std::uint8_t& b : r) b = std::uint8_t(rng());
  const PngBytes data = PlainImageData(rows);
  PngBytes f = PngSignature();
  PutChunk(f, "IHDR", IhdrData(300, 300, 8, 2));
  PutChunk(f, "prVt", PngBytes(100000, 0x55));
  for (std::size_t at = 0; at < data.size(); at += 10000)
    PutChunk(f, "IDAT", PngBytes(data.begin() + at, data.begin() + std::min(data.size(), at + 10000)));
  PutChunk(f, "IEND", {});
  return f;
}

TEST(PngDecoderStream, FilesReadThroughTheBufferAsFromMemory) {
  const PngBytes bytes = largeNoisePng();
  VIRAVIZ inMemory, fromFile;
  inMemory.LoadFromStream(bytes.data(), bytes.size());
  {
    const TempFile file(bytes);
    fromFile.LoadFromFile(file.Path());
  }
  ASSERT_EQ(fromFile.Image.ByteSize(), inMemory.Image.ByteSize());
  EXPECT_EQ(std::memcmp(fromFile.Image.Bits(), inMemory.Image.Bits(), inMemory.Image.ByteSize()), 0);

  const TempFile cut(PngBytes(bytes.begin(), bytes.begin() + 200000));
  VIRAVIZ pic;
  EXPECT_THROW(pic.LoadFromFile(cut.Path()), DEZOZIR);
  try {
    pic.LoadFromFile("/nonexistent/picture.png");
    ADD_FAILURE() << "a missing file loaded";
  } catch (const ESurfaceError& e) {
    EXPECT_EQ(std::string(e.what()), "ファイル /nonexistent/picture.png は開けません");
  }
}

TEST(PngDecoderStream, PictureLoaderEntryGivesThirtyTwoBitPixelsAndTransparency) {
  const PngBytes rgb = largeNoisePng();
  VIRAVIZ reference;
  reference.LoadFromStream(rgb.data(), rgb.size());
  TBitmap out;
  {
    const TempFile file(rgb);
    LoadPngFile(file.Path(), out);
  }
  ASSERT_EQ(out.PixelFormat(), pf32bit);
  ASSERT_EQ(out.Width(), 300);
  for (int y = 0; y < 300; y += 7)
    for (int x = 0; x < 300; ++x) ASSERT_EQ(out.GetPixel(x, y), reference.Image.GetPixel(x, y)) << x << "," << y;
  EXPECT_EQ(out.Row(5)[3], 0);  // the spare byte stays zero

  // A palette picture with one transparent entry keeps it; an alpha channel is dropped.
  const PngBytes palette = BuildPng(IhdrData(2, 1, 1, 3), {{"PLTE", {1, 2, 3, 4, 5, 6}}, {"tRNS", {255, 0}}},
                                    PlainImageData({{0x40}}));
  {
    const TempFile file(palette);
    LoadPngFile(file.Path(), out);
  }
  EXPECT_EQ(out.PixelFormat(), pf32bit);
  EXPECT_EQ(out.GetPixel(1, 0), RGB(4, 5, 6));
  EXPECT_TRUE(out.Transparent);
  EXPECT_EQ(out.TransparentColor, RGB(4, 5, 6));
  const PngBytes rgba = BuildPng(IhdrData(1, 1, 8, 6), {}, PlainImageData({{9, 8, 7, 0}}));
  {
    const TempFile file(rgba);
    LoadPngFile(file.Path(), out);
  }
  EXPECT_EQ(out.GetPixel(0, 0), RGB(9, 8, 7));
  EXPECT_FALSE(out.Transparent);

  // A refused file leaves the bitmap as it was, also when only its 32-bit form is too large.
  for (const PngBytes& bad : {PngBytes(rgba.begin(), rgba.begin() + 45),
                              BuildPng(IhdrData(20000, 20000, 1, 0), {}, PlainImageData({{0}}))}) {
    const TempFile file(bad);
    EXPECT_THROW(LoadPngFile(file.Path(), out), DEZOZIR);
    EXPECT_EQ(out.Width(), 1);
    EXPECT_EQ(out.GetPixel(0, 0), RGB(9, 8, 7));
  }
}

}  // namespace
