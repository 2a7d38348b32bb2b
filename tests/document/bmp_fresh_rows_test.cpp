// The bitmap reader writes every byte of the fresh picture it decodes into: pixels with their
// spare bits dropped and zero padding after each row, whatever the file holds there.
#include <gtest/gtest.h>

#include <random>

#include "document/bmp_file.h"
#include "document/bmp_test_file.h"
#include "surface/bgrx_rows.h"

namespace {

// Every byte of every row past its pixels is zero.
bool paddingZero(const TBitmap& bmp) {
  const std::size_t pixelBytes = (std::size_t(bmp.Width()) * BitsPerPixel(bmp.PixelFormat()) + 7) / 8;
  for (int y = 0; y < bmp.Height(); ++y)
    for (std::size_t i = pixelBytes; i < bmp.Stride(); ++i)
      if (bmp.Row(y)[i] != 0) return false;
  return true;
}

TEST(BmpFreshRows, EveryKernelLeavesZeroSpareBitsAndPadding) {
  std::mt19937 rng(5);
  auto noise = [&rng](std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = std::uint8_t(rng());
    return bytes;
  };
  // Widths that leave every remainder of the four-pixel steps; rows padded with noise.
  for (int width : {1, 3, 5, 6, 7, 9}) {
    const std::size_t stride32 = std::size_t(width) * 4;
    BmpLayout alpha{.width = width, .height = 2, .bitCount = 32, .pixels = noise(stride32 * 2)};
    TBitmap bmp;
    const std::vector<std::uint8_t> file = BuildBmp(alpha);
    ReadBmp(file.data(), file.size(), bmp);
    ASSERT_EQ(bmp.PixelFormat(), pf32bit);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* src = alpha.pixels.data() + std::size_t(1 - y) * stride32 + 4 * std::size_t(x);
        EXPECT_EQ(bmp.GetRaw(x, y), std::uint32_t(src[0] | src[1] << 8 | src[2] << 16)) << width << " " << x;
        EXPECT_EQ(bmp.Row(y)[4 * x + 3], 0) << width << " " << x;
      }

    const std::size_t stride2 = (std::size_t(width) * 2 + 31) / 32 * 4, stride16 = (std::size_t(width) * 16 + 31) / 32 * 4,
                      stride24 = (std::size_t(width) * 24 + 31) / 32 * 4;
    const std::vector<TColor> four = {clBlack, clRed, clLime, clBlue};
    for (const BmpLayout& layout :
         {BmpLayout{.width = width, .height = 3, .bitCount = 2, .palette = four, .pixels = noise(stride2 * 3)},
          BmpLayout{.width = width, .height = 3, .bitCount = 16, .pixels = noise(stride16 * 3)},
          BmpLayout{.width = width, .height = 3, .bitCount = 24, .pixels = noise(stride24 * 3)}}) {
      const std::vector<std::uint8_t> bytes = BuildBmp(layout);
      ReadBmp(bytes.data(), bytes.size(), bmp);
      EXPECT_TRUE(paddingZero(bmp)) << width << " " << layout.bitCount;
    }
  }
}

TEST(BgrxRows, CopyingClearsOnlyTheSpareByteAlsoInPlace) {
  std::vector<std::uint8_t> src(4 * 11);
  for (std::size_t i = 0; i < src.size(); ++i) src[i] = std::uint8_t(0x80 + i);
  for (int width = 0; width <= 11; ++width) {
    std::vector<std::uint8_t> dst(src.size(), 0xEE), inPlace = src;
    CopyClearingSpareBytes(src.data(), dst.data(), width);
    CopyClearingSpareBytes(inPlace.data(), inPlace.data(), width);
    for (std::size_t i = 0; i < src.size(); ++i) {
      const bool inside = i < 4 * std::size_t(width);
      const std::uint8_t want = !inside ? 0xEE : i % 4 == 3 ? 0 : src[i];
      EXPECT_EQ(dst[i], want) << width << " " << i;
      EXPECT_EQ(inPlace[i], inside ? want : src[i]) << width << " " << i;
    }
  }
}

}  // namespace
