// The bitmap reader on hand-made files: run-length codes, colour masks, row order and the
// limits that refuse damaged or oversized files.
#include <gtest/gtest.h>

#include "document/bmp_file.h"
#include "document/bmp_test_file.h"
#include "surface/surface_error.h"

namespace {

void read(const BmpLayout& layout, TBitmap& bmp) {
  const std::vector<std::uint8_t> file = BuildBmp(layout);
  ReadBmp(file.data(), file.size(), bmp);
}

void expectInvalid(const BmpLayout& layout, const char* what) {
  const std::vector<std::uint8_t> file = BuildBmp(layout);
  TBitmap bmp;
  EXPECT_THROW(ReadBmp(file.data(), file.size(), bmp), EInvalidGraphic) << what;
  EXPECT_TRUE(bmp.Empty()) << what;
}

void expectRows(const TBitmap& bmp, const std::vector<std::vector<std::uint32_t>>& rows) {
  ASSERT_EQ(bmp.Height(), int(rows.size()));
  for (int y = 0; y < bmp.Height(); ++y) {
    ASSERT_EQ(bmp.Width(), int(rows[y].size()));
    for (int x = 0; x < bmp.Width(); ++x) EXPECT_EQ(bmp.GetRaw(x, y), rows[y][x]) << x << "," << y;
  }
}

const std::vector<TColor> kFour = {RGB(1, 2, 3), clRed, clLime, clBlue};

TEST(BmpDecode, Rle8RunsLiteralsDeltasAndSkippedPixels) {
  BmpLayout s{.width = 5, .height = 3, .bitCount = 8, .compression = 1, .palette = kFour};
  s.pixels = {2, 1, 0, 3, 2, 3, 1, 0,  // bottom row: run, then an odd literal padded to a word
              0, 0,                    // end of line
              0, 2, 1, 1,              // delta: skips the middle row, on to x = 1 of the top row
              2, 3, 0, 1};             // run, end of bitmap
  TBitmap bmp;
  read(s, bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf8bit);
  expectRows(bmp, {{0, 3, 3, 0, 0}, {0, 0, 0, 0, 0}, {1, 1, 2, 3, 1}});
  EXPECT_EQ(bmp.GetPixel(0, 1), RGB(1, 2, 3));  // skipped pixels take palette entry 0
}

TEST(BmpDecode, Rle4RunsAlternateNibblesAndLiteralsPadToWords) {
  BmpLayout s{.width = 5, .height = 2, .bitCount = 4, .compression = 2, .palette = kFour};
  s.pixels = {5, 0x12, 0, 0,                 // bottom row: 1 2 1 2 1
              0, 5, 0x31, 0x23, 0x10, 0,     // top row: five literal nibbles in three bytes + pad
              0, 1};
  TBitmap bmp;
  read(s, bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf4bit);
  expectRows(bmp, {{3, 1, 2, 3, 1}, {1, 2, 1, 2, 1}});
}

TEST(BmpDecode, DamagedRunLengthDataFails) {
  BmpLayout s{.width = 4, .height = 2, .bitCount = 8, .compression = 1, .palette = {clBlack, clWhite}};
  const std::vector<std::vector<std::uint8_t>> damaged = {
      {0, 2, 0, 3, 0, 1},               // delta below the last row
      {0, 0, 0, 0, 1, 0, 0, 1},         // a pixel after the last row
      {0, 0, 0, 0, 0, 0, 0, 1},         // a line ended after the last row
      {2, 0},                           // no end-of-bitmap code
      {0, 4, 1, 1},                     // literal cut short
      {0},                              // half a code
      {2, 5, 0, 1},                     // index past the two-colour palette
  };
  for (const auto& data : damaged) {
    s.pixels = data;
    expectInvalid(s, "damaged run-length data");
  }
  // Rows padded past the picture's width, as several writers make them: the extra pixels
  // are dropped, and so is a delta past the row's end.
  for (const auto& padded : std::vector<std::vector<std::uint8_t>>{
           {6, 1, 0, 0, 0, 6, 1, 1, 1, 1, 1, 1, 0, 1}, {0, 2, 5, 0, 4, 1, 0, 0, 4, 1, 0, 1}}) {
    s.pixels = padded;
    TBitmap bmp;
    ASSERT_NO_THROW(read(s, bmp));
    EXPECT_EQ(bmp.GetPixel(3, 0), clWhite);
  }
  s.pixels = {4, 1, 0, 1};
  s.height = -2;  // run-length rows can only run bottom-up
  expectInvalid(s, "top-down run-length file");
}

TEST(BmpDecode, MasksPickTheFormatAndUnusedBitsAreDropped) {
  // 5-5-5 keeps its words with the spare top bit cleared; 5-6-5 keeps them as they are.
  TBitmap b15;
  read({.width = 1, .bitCount = 16, .pixels = {0xFF, 0xFF, 0, 0}}, b15);
  EXPECT_EQ(b15.PixelFormat(), pf15bit);
  EXPECT_EQ(b15.GetRaw(0, 0), 0x7FFFu);
  TBitmap b16;
  read({.width = 1, .bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
                      .pixels = {0x34, 0x12, 0, 0}}, b16);
  EXPECT_EQ(b16.PixelFormat(), pf16bit);
  EXPECT_EQ(b16.GetRaw(0, 0), 0x1234u);
  // 32 bits keep a zero spare byte whatever the file holds there.
  TBitmap b32;
  read({.width = 1, .bitCount = 32, .pixels = {1, 2, 3, 0xAA}}, b32);
  EXPECT_EQ(b32.PixelFormat(), pf32bit);
  EXPECT_EQ(b32.GetRaw(0, 0), 0x030201u);
  // Other masks scale each channel to 8 bits: 4-4-4 (top nibble unused) and swapped 8-8-8.
  TBitmap b444;
  read({.width = 2, .bitCount = 16, .compression = 3, .masks = {0x0F00, 0x00F0, 0x000F},
                       .pixels = {0x80, 0xFF, 0x01, 0x00}}, b444);
  EXPECT_EQ(b444.PixelFormat(), pf32bit);
  EXPECT_EQ(b444.GetPixel(0, 0), RGB(255, 136, 0));
  EXPECT_EQ(b444.GetPixel(1, 0), RGB(0, 0, 17));
  TBitmap bgr;
  read({.width = 1, .bitCount = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000},
                      .pixels = {0x11, 0x22, 0x33, 0x44}}, bgr);
  EXPECT_EQ(bgr.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(bgr.GetRaw(0, 0) >> 24, 0u);

  const std::vector<std::vector<std::uint32_t>> badMasks = {
      {0xF800, 0x07E0, 0},        // a missing channel
      {0xF800, 0x0FE0, 0x001F},   // overlapping channels
      {0xF000, 0x07E0, 0x0A1F},   // a channel in two pieces
      {0xF8000, 0x07E0, 0x001F},  // outside a 16-bit pixel
  };
  for (const auto& masks : badMasks)
    expectInvalid({.width = 1, .bitCount = 16, .compression = 3, .masks = masks, .pixels = {0, 0, 0, 0}},
                  "bad masks");
}

TEST(BmpDecode, RowOrderPaletteSizesAndTwoBitIndices) {
  // Bottom-up and top-down 24-bit rows of blue-green-red bytes padded to words.
  const std::vector<std::uint8_t> rows = {0, 0, 0xFF, 0, 0, 0, 0, 0,  // red, black
                                          0xFF, 0, 0, 0, 0xFF, 0, 0, 0};  // blue, lime
  TBitmap up;
  read({.width = 2, .height = 2, .pixels = rows}, up);
  EXPECT_EQ(up.PixelFormat(), pf24bit);
  EXPECT_EQ(up.GetPixel(0, 0), clBlue);
  EXPECT_EQ(up.GetPixel(1, 0), clLime);
  EXPECT_EQ(up.GetPixel(0, 1), clRed);
  TBitmap down;
  read({.width = 2, .height = -2, .pixels = rows}, down);
  EXPECT_EQ(down.GetPixel(0, 0), clRed);
  EXPECT_EQ(down.GetPixel(1, 1), clLime);

  // A short palette is kept as it is while the pixels stay inside it.
  TBitmap shortPal;
  read({.width = 3, .bitCount = 8, .palette = {clRed, clBlue}, .pixels = {1, 0, 1, 0}}, shortPal);
  EXPECT_EQ(shortPal.Palette().Count(), 2);
  EXPECT_EQ(shortPal.GetPixel(0, 0), clBlue);
  expectInvalid({.width = 3, .bitCount = 8, .palette = {clRed, clBlue}, .pixels = {1, 0, 2, 0}},
                "index past the palette");
  // An index past the palette in the row's padding is no pixel and does not count.
  TBitmap padded;
  EXPECT_NO_THROW(read({.width = 3, .bitCount = 8, .palette = {clRed, clBlue}, .pixels = {1, 0, 1, 9}}, padded));

  // The same for 4 and 1-bit rows, whose last byte is partly padding.
  const std::vector<TColor> two = {clRed, clBlue};
  TBitmap nibbles;
  read({.width = 3, .bitCount = 4, .palette = two, .pixels = {0x10, 0x1F, 0, 0}}, nibbles);
  expectRows(nibbles, {{1, 0, 1}});
  expectInvalid({.width = 3, .bitCount = 4, .palette = two, .pixels = {0x12, 0x10, 0, 0}}, "4-bit index 2");
  expectInvalid({.width = 3, .bitCount = 4, .palette = two, .pixels = {0x10, 0x20, 0, 0}}, "last 4-bit index");
  TBitmap bits;
  read({.width = 3, .bitCount = 1, .palette = {clLime}, .pixels = {0x1F, 0, 0, 0}}, bits);
  expectRows(bits, {{0, 0, 0}});
  expectInvalid({.width = 3, .bitCount = 1, .palette = {clLime}, .pixels = {0x20, 0, 0, 0}}, "1-bit index 1");

  // 2-bit indices (Windows CE) widen to 4 bits.
  TBitmap twoBit;
  read({.width = 5, .bitCount = 2, .palette = kFour, .pixels = {0b00011011, 0b01000000, 0, 0}}, twoBit);
  EXPECT_EQ(twoBit.PixelFormat(), pf4bit);
  expectRows(twoBit, {{0, 1, 2, 3, 1}});
  EXPECT_EQ(twoBit.GetPixel(3, 0), clBlue);
}

TEST(BmpDecode, SizesTheDataCannotBackFailBeforeAnyAllocation) {
  // Uncompressed rows must all be in the file: the codec's error, nothing allocated.
  expectInvalid({.width = 60000, .height = 60000, .pixels = {1, 2, 3, 4}}, "huge 24-bit");
  expectInvalid({.width = 2, .height = 2, .pixels = std::vector<std::uint8_t>(15)}, "one byte short");
  TBitmap exact;
  EXPECT_NO_THROW(read({.width = 2, .height = 2, .pixels = std::vector<std::uint8_t>(16)}, exact));
  // Run-length data far too short for a huge picture is refused before allocating.
  BmpLayout rle{.width = 60000, .height = 60000, .bitCount = 8, .compression = 1, .palette = kFour,
              .pixels = {0, 1}};
  const std::vector<std::uint8_t> file = BuildBmp(rle);
  TBitmap bmp;
  EXPECT_THROW(ReadBmp(file.data(), file.size(), bmp), EInvalidGraphic);
  // A header that lies about the pixel offset is refused; the file and image sizes are only
  // hints that the reader does not need.
  std::vector<std::uint8_t> lying = BuildBmp({.width = 1, .pixels = {1, 2, 3, 0}});
  for (std::size_t at : {std::size_t(2), std::size_t(10), std::size_t(34)}) {
    std::vector<std::uint8_t> f = lying;
    f[at + 3] = 0x7F;  // file size, pixel offset, image size
    if (at == 10) {
      EXPECT_THROW(ReadBmp(f.data(), f.size(), bmp), EInvalidGraphic) << at;
    } else {
      EXPECT_NO_THROW(ReadBmp(f.data(), f.size(), bmp)) << at;
    }
  }
  std::vector<std::uint8_t> pal = BuildBmp({.width = 1, .bitCount = 8, .palette = {clRed}, .pixels = {0, 0, 0, 0}});
  pal[46 + 3] = 0x10;  // colours used
  EXPECT_THROW(ReadBmp(pal.data(), pal.size(), bmp), EInvalidGraphic);
  for (std::size_t size = 0; size < lying.size(); ++size)
    EXPECT_THROW(ReadBmp(lying.data(), size, bmp), EInvalidGraphic) << size;
}

}  // namespace
