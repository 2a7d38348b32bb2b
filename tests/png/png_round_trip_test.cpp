// Pictures written by the encoder read back with their pixels: indexed and 24-bit formats as
// they were, 15-, 16- and 32-bit ones as 24-bit pictures of the same colours.
#include <gtest/gtest.h>

#include <random>

#include "png/png_test_writer.h"
#include "png/viraviz.h"

namespace {

TEST(PngRoundTrip, EncodedPicturesReadBackWithTheirPixels) {
  std::mt19937 rng(99);
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    for (bool interlaced : {false, true}) {
      TBitmap bmp(13, 9, format);
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x) bmp.SetPixel(x, y, RGB(std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng())));
      VIRAVIZ out;
      out.Assign(bmp);
      out.InterlaceOption = interlaced;
      PngBytes file;
      out.SaveToStream([&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
      VIRAVIZ back;
      back.LoadFromStream(file.data(), file.size());
      EXPECT_EQ(back.Image.PixelFormat(), BitsPerPixel(format) > 8 ? pf24bit : format) << format;
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x)
          ASSERT_EQ(back.Image.GetPixel(x, y), bmp.GetPixel(x, y)) << format << " " << x << "," << y << " " << interlaced;
    }
  }
}

}  // namespace
