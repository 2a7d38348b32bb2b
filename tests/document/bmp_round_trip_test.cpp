// Written bitmap files read back to the same pixels: by this reader in every pixel format, and
// by ImageMagick, an independent reader of the format.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "document/bmp_file.h"
#include "surface/span_painter.h"

namespace {

const TPixelFormat kAllFormats[] = {pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

void fillRandom(TBitmap& bmp, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const std::uint32_t mask = RawMask(bmp.PixelFormat());
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) bmp.SetRaw(x, y, rng() & mask);
}

void expectSamePixels(const TBitmap& a, const TBitmap& b, const char* what) {
  ASSERT_EQ(a.Width(), b.Width()) << what;
  ASSERT_EQ(a.Height(), b.Height()) << what;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      ASSERT_EQ(a.GetRaw(x, y), b.GetRaw(x, y)) << what << " at " << x << "," << y;
      ASSERT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << what << " at " << x << "," << y;
    }
}

TEST(BmpRoundTrip, EveryFormatReadsBackToItsOwnPixelsAndPalette) {
  for (TPixelFormat f : kAllFormats) {
    for (int width : {1, 7, 13, 32}) {  // every row padding
      TBitmap bmp(width, 5, f);
      fillRandom(bmp, std::uint32_t(f * 100 + width));
      const std::vector<std::uint8_t> file = WriteBmp(bmp);
      TBitmap back;
      ReadBmp(file.data(), file.size(), back);
      EXPECT_EQ(back.PixelFormat(), f == pfDevice ? pf32bit : f);
      EXPECT_EQ(back.Palette(), bmp.Palette());
      expectSamePixels(bmp, back, "round trip");
    }
  }
}

TEST(BmpRoundTrip, ShortPalettesAreKeptOrCompletedForIndicesTheyLack) {
  TBitmap bmp(4, 2, pf8bit);
  bmp.SetPalette(TPalette({clRed, clLime, clBlue}));
  for (int x = 0; x < 4; ++x) bmp.SetRaw(x, 0, std::uint32_t(x % 3));
  for (int x = 0; x < 4; ++x) bmp.SetRaw(x, 1, 2);
  std::vector<std::uint8_t> file = WriteBmp(bmp);
  TBitmap back;
  ReadBmp(file.data(), file.size(), back);
  EXPECT_EQ(back.Palette().Count(), 3);
  expectSamePixels(bmp, back, "short palette");

  // Index 9 has no colour in the palette; the bitmap shows it black, and so does the file.
  bmp.SetRaw(3, 1, 9);
  file = WriteBmp(bmp);
  ReadBmp(file.data(), file.size(), back);
  EXPECT_EQ(back.Palette().Count(), 256);
  EXPECT_EQ(back.GetPixel(3, 1), clBlack);
  expectSamePixels(bmp, back, "completed palette");
}

// Runs ImageMagick on a written file and returns its 8-bit red, green, blue samples.
std::vector<std::uint8_t> convertToRgb(const std::vector<std::uint8_t>& bmpFile, const std::string& dir) {
  const std::string in = dir + "/in.bmp", out = dir + "/out.rgb";
  std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(bmpFile.data()), std::streamsize(bmpFile.size()));
  const std::string command = "convert '" + in + "' -depth 8 'rgb:" + out + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream result(out, std::ios::binary);
  return {std::istreambuf_iterator<char>(result), std::istreambuf_iterator<char>()};
}

TEST(BmpRoundTrip, ImageMagickReadsTheSamePixelsInEveryFormat) {
  if (std::system("command -v convert > /dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  char dirTemplate[] = "/tmp/zudozo-bmp-XXXXXX";
  ASSERT_NE(mkdtemp(dirTemplate), nullptr);
  const std::string dir = dirTemplate;
  for (TPixelFormat f : kAllFormats) {
    TBitmap bmp(11, 6, f);
    fillRandom(bmp, 7 + f);
    const std::vector<std::uint8_t> rgb = convertToRgb(WriteBmp(bmp), dir);
    ASSERT_EQ(rgb.size(), 11u * 6 * 3) << "format " << f;
    // ImageMagick widens 5 and 6-bit levels by rounding, the bitmap by repeating the top bits.
    const int tolerance = f == pf15bit || f == pf16bit ? 1 : 0;
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 11; ++x) {
        const std::uint8_t* p = &rgb[(std::size_t(y) * 11 + x) * 3];
        const TColor c = bmp.GetPixel(x, y);
        EXPECT_NEAR(p[0], GetRValue(c), tolerance) << "format " << f << " at " << x << "," << y;
        EXPECT_NEAR(p[1], GetGValue(c), tolerance) << "format " << f << " at " << x << "," << y;
        EXPECT_NEAR(p[2], GetBValue(c), tolerance) << "format " << f << " at " << x << "," << y;
      }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
