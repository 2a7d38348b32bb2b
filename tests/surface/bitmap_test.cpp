#include <gtest/gtest.h>

#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/surface_error.h"

namespace {

const TPixelFormat kAllFormats[] = {pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

TEST(Bitmap, NewBitmapIsWhiteInEveryFormatAndReadsOutsideAsInvalid) {
  for (TPixelFormat f : kAllFormats) {
    TBitmap b(7, 5, f);
    EXPECT_EQ(b.PixelFormat(), f);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(b.GetPixel(x, y), clWhite) << "format " << f;
    EXPECT_EQ(b.GetPixel(-1, 0), clInvalid);
    EXPECT_EQ(b.GetPixel(7, 0), clInvalid);
    EXPECT_EQ(b.GetPixel(0, 5), clInvalid);
    b.SetPixel(7, 0, clBlack);  // outside: nothing happens
    b.SetPixel(-1, -1, clBlack);
    b.SetPixel(6, 4, clBlack);
    EXPECT_EQ(b.GetPixel(6, 4), clBlack);
  }
}

TEST(Bitmap, ColoursMapToTheFormatsStorage) {
  TBitmap b16(1, 1, pf16bit), b15(1, 1, pf15bit), b8(1, 1, pf8bit), b1(1, 1, pf1bit);
  b15.SetPixel(0, 0, RGB(0x07, 0x07, 0x07));
  EXPECT_EQ(b15.GetPixel(0, 0), clBlack);  // only the top bits of each component are kept
  b16.SetPixel(0, 0, RGB(0x80, 0x40, 0xF8));
  EXPECT_EQ(b16.GetPixel(0, 0), RGB(0x84, 0x41, 0xFF));
  b15.SetPixel(0, 0, RGB(0xFF, 0x08, 0x10));
  EXPECT_EQ(b15.GetPixel(0, 0), RGB(0xFF, 0x08, 0x10));
  b8.SetPixel(0, 0, RGB(0x33, 0x66, 0x99));
  EXPECT_EQ(b8.GetRaw(0, 0), 16u + 36 * 1 + 6 * 2 + 3);  // nearest cube colour
  b8.SetPixel(0, 0, clWhite);
  EXPECT_EQ(b8.GetRaw(0, 0), 15u);  // lowest of the duplicate whites
  b1.SetPixel(0, 0, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(b1.GetPixel(0, 0), clWhite);
  b1.SetPixel(0, 0, RGB(0x7F, 0x7F, 0x7F));
  EXPECT_EQ(b1.GetPixel(0, 0), clBlack);
}

TEST(Bitmap, ResizeKeepsTopLeftAndFillsWithBrushColour) {
  for (TPixelFormat f : kAllFormats) {
    TBitmap b(3, 2, f);
    b.SetPixel(2, 1, clBlack);
    b.Canvas().Brush.Color = clBlack;
    b.SetSize(5, 4);
    b.Canvas().Brush.Color = clWhite;
    EXPECT_EQ(b.GetPixel(0, 0), clWhite);
    EXPECT_EQ(b.GetPixel(2, 1), clBlack);
    EXPECT_EQ(b.GetPixel(3, 0), clBlack) << "new column, format " << f;
    EXPECT_EQ(b.GetPixel(0, 3), clBlack) << "new row, format " << f;
    b.SetSize(2, 2);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.GetPixel(1, 1), clWhite);
  }
}

TEST(Bitmap, FormatChangesConvertPixels) {
  TBitmap b(4, 1, pf32bit);
  b.SetPixel(0, 0, clBlack);
  b.SetPixel(1, 0, RGB(0xFF, 0, 0));
  b.SetPixel(2, 0, RGB(0x80, 0x80, 0x80));
  for (TPixelFormat f : kAllFormats) {
    TBitmap c;
    c.Assign(b);
    c.SetPixelFormat(f);
    EXPECT_EQ(c.GetPixel(0, 0), clBlack) << f;
    EXPECT_EQ(c.GetPixel(3, 0), clWhite) << f;
    if (f != pf1bit) {
      EXPECT_EQ(c.GetPixel(1, 0), RGB(0xFF, 0, 0)) << f;
    }
  }
}

TEST(Bitmap, AssignSharesUntilOneSideWrites) {
  TBitmap a(100, 100, pf32bit), b;
  b.Assign(a);
  EXPECT_TRUE(a.SharesPixelsWith(b));
  b.SetPixel(5, 5, clBlack);
  EXPECT_FALSE(a.SharesPixelsWith(b));
  EXPECT_EQ(a.GetPixel(5, 5), clWhite);
  EXPECT_EQ(b.GetPixel(5, 5), clBlack);
}

TEST(Bitmap, TooLargeIsRefusedBeforeAnythingChanges) {
  TBitmap b(10, 10, pf24bit);
  EXPECT_THROW(b.SetSize(70000, 10), EOutOfResources);
  EXPECT_THROW(b.SetSize(60000, 60000), EOutOfResources);
  EXPECT_EQ(b.Width(), 10);
  EXPECT_EQ(b.GetPixel(9, 9), clWhite);
  EXPECT_THROW(TBitmap(-1, 5), EOutOfResources);
}

TEST(Canvas, FillRectWithWhiteWhitensEverythingAndHatchesAlignToTheOrigin) {
  TBitmap b(20, 20, pf24bit);
  b.Canvas().Brush.Color = clBlack;
  b.Canvas().FillRect(Rect(0, 0, 20, 20));
  EXPECT_EQ(b.GetPixel(19, 19), clBlack);
  b.Canvas().Brush.Color = clWhite;
  b.Canvas().FillRect(Rect(0, 0, 20, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(b.GetPixel(x, y), clWhite);

  b.Canvas().Brush.Color = clBlack;
  b.Canvas().Brush.Style = bsHorizontal;
  b.Canvas().FillRect(Rect(5, 0, 15, 20));
  EXPECT_EQ(b.GetPixel(5, 3), clBlack);   // row 3 of every 8x8 cell of the bitmap
  EXPECT_EQ(b.GetPixel(5, 11), clBlack);
  EXPECT_EQ(b.GetPixel(5, 4), clWhite);   // the background shows through
  EXPECT_EQ(b.GetPixel(4, 3), clWhite);   // outside the rectangle
}

}  // namespace
