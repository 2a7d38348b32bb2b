#include <gtest/gtest.h>

#include <vector>

#include "blit_reference.h"
#include "raster_test_util.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

using namespace raster_test;

namespace {

const TCopyMode kAllModes[] = {cmSrcCopy,   cmSrcInvert,   cmSrcPaint,    cmSrcAnd,    cmWhiteness,
                               cmBlackness, cmDstInvert,   cmMergeCopy,   cmMergePaint, cmNotSrcCopy,
                               cmNotSrcErase, cmPatCopy,   cmPatInvert,   cmPatPaint,  cmSrcErase,
                               0x00AA0029,  0x00B8074A,    0x001A0000};

// An 8x8 pattern brush of random colours.
void RandomPattern(TBitmap& pattern, std::uint32_t seed) {
  pattern.SetPixelFormat(pf24bit);
  pattern.SetSize(8, 8);
  FillRandom(pattern, seed);
}

// Runs the copy on the canvas of `dest` and the reference on a copy of it, and compares.
void ExpectCopyMatches(TBitmap& dest, const TBitmap& src, const RefCopy& c, const TBitmap* pattern) {
  TBitmap expected;
  expected.Assign(dest);
  TBitmap snapshot;  // the reference reads the source as it was before
  snapshot.Assign(src);
  ReferenceCopy(expected, snapshot, c);
  TCanvas& canvas = dest.Canvas();
  canvas.CopyMode = c.mode;
  canvas.Brush.Bitmap = pattern;
  canvas.BrushOrigin = c.origin;
  canvas.SetClipRect(c.clip);
  canvas.CopyRect(Rect(c.x, c.y, c.x + c.w, c.y + c.h), const_cast<TBitmap&>(src).Canvas(),
                  Rect(c.sx, c.sy, c.sx + c.sw, c.sy + c.sh));
  canvas.ResetClipRect();
  canvas.Brush.Bitmap = nullptr;
  EXPECT_EQ(RawDifference(dest, expected), "")
      << "formats " << src.PixelFormat() << " -> " << dest.PixelFormat() << ", mode " << std::hex << c.mode
      << std::dec << ", dest " << c.x << "," << c.y << " " << c.w << "x" << c.h << ", source " << c.sx << ","
      << c.sy << " " << c.sw << "x" << c.sh;
}

TEST(Blit, EveryCopyModeOnEveryFormatMatchesTheReference) {
  TBitmap pattern;
  RandomPattern(pattern, 99);
  for (TPixelFormat df : kAllFormats)
    for (TPixelFormat sf : {df, pf24bit, pf4bit, pf32bit}) {
      TBitmap src(30, 7, sf);
      FillRandom(src, 1);
      for (TCopyMode mode : kAllModes) {
        TBitmap dest(37, 9, df);
        FillRandom(dest, 2);
        RefCopy whole{5, 1, 30, 7, 0, 0, 30, 7, mode};
        whole.pattern = &pattern;
        whole.origin = Point(3, 5);
        ExpectCopyMatches(dest, src, whole, &pattern);
        // Partly outside both bitmaps and cut by a clip rectangle.
        RefCopy cut{-3, 4, 30, 7, 1, 2, 30, 7, mode};
        cut.clip = Rect(2, 0, 33, 8);
        ExpectCopyMatches(dest, src, cut, nullptr);
      }
    }
}

TEST(Blit, KnownRawResultsOfTheCommonModes) {
  // 24 bits: operations on the stored values.
  TBitmap src(4, 1, pf24bit), dest(4, 4, pf24bit);
  const TColor colours[] = {RGB(0xFF, 0, 0), RGB(0, 0xFF, 0), RGB(0x33, 0x66, 0xCC), clWhite};
  for (int x = 0; x < 4; ++x) src.SetPixel(x, 0, colours[x]);
  dest.Canvas().Brush.Color = RGB(0x33, 0x66, 0x99);
  dest.Canvas().FillRect(dest.BoundsRect());
  const TCopyMode modes[] = {cmSrcPaint, cmSrcAnd, cmSrcInvert, cmWhiteness};
  for (int y = 0; y < 4; ++y) {
    dest.Canvas().CopyMode = modes[y];
    dest.Canvas().CopyRect(Rect(0, y, 4, y + 1), src.Canvas(), Rect(0, 0, 4, 1));
  }
  const TColor expected[4][4] = {{RGB(0xFF, 0x66, 0x99), RGB(0x33, 0xFF, 0x99), RGB(0x33, 0x66, 0xDD), clWhite},
                                 {RGB(0x33, 0, 0), RGB(0, 0x66, 0), RGB(0x33, 0x66, 0x88), RGB(0x33, 0x66, 0x99)},
                                 {RGB(0xCC, 0x66, 0x99), RGB(0x33, 0x99, 0x99), RGB(0, 0, 0x55), RGB(0xCC, 0x99, 0x66)},
                                 {clWhite, clWhite, clWhite, clWhite}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.GetPixel(x, y), expected[y][x]) << x << "," << y;

  // 8 bits: indices are combined; a 32-bit source is first mapped to the nearest index.
  TBitmap s8(4, 1, pf8bit), s32(4, 1, pf32bit), d8(4, 2, pf8bit);
  const std::uint32_t indices[] = {9, 12, 100, 3};
  const TColor colours32[] = {RGB(0xFF, 0, 0), RGB(0, 0, 0xFF), RGB(0x33, 0x66, 0x99), RGB(0x80, 0x80, 0)};
  for (int x = 0; x < 4; ++x) {
    s8.SetRaw(x, 0, indices[x]);
    s32.SetPixel(x, 0, colours32[x]);
    d8.SetRaw(x, 0, 10);
    d8.SetRaw(x, 1, 10);
  }
  d8.Canvas().CopyMode = cmSrcInvert;
  d8.Canvas().CopyRect(Rect(0, 0, 4, 1), s8.Canvas(), Rect(0, 0, 4, 1));
  d8.Canvas().CopyMode = cmSrcPaint;
  d8.Canvas().CopyRect(Rect(0, 1, 4, 2), s32.Canvas(), Rect(0, 0, 4, 1));
  const std::uint32_t expected8[2][4] = {{0x03, 0x06, 0x6E, 0x09}, {0x0B, 0x0E, 0x4B, 0x0B}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(d8.GetRaw(x, y), expected8[y][x]) << x << "," << y;

  // Colours onto 1 bit take the nearer of black and white.
  TBitmap c6(6, 1, pf24bit), d1(6, 1, pf1bit);
  const TColor greys[] = {RGB(0x80, 0x80, 0x80), RGB(0x7F, 0x7F, 0x7F), RGB(0xFF, 0, 0), RGB(0xFF, 0xFF, 0), clBlack, clWhite};
  for (int x = 0; x < 6; ++x) c6.SetPixel(x, 0, greys[x]);
  d1.Canvas().Draw(0, 0, c6);
  const std::uint32_t expected1[] = {1, 0, 0, 1, 0, 1};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(d1.GetRaw(x, 0), expected1[x]) << x;
}

TEST(Blit, ScaledAndMirroredCopiesMatchTheReference) {
  const RefCopy cases[] = {
      {0, 0, 37, 29, 0, 0, 16, 12},  {2, 1, 5, 4, 0, 0, 16, 12},    {1, 1, 7, 5, 0, 0, 16, 12},
      {0, 0, 1, 1, 0, 0, 16, 12},    {3, 2, 17, 15, 0, 0, 16, 12},  {3, 2, 15, 17, 0, 0, 16, 12},
      {32, 0, -16, 12, 0, 0, 16, 12}, {0, 12, 16, -12, 0, 0, 16, 12}, {30, 20, -25, -9, 0, 0, 16, 12},
      {0, 0, 16, 12, 16, 0, -16, 12}, {0, 0, 16, 12, 15, 11, -16, -12}, {10, 5, -7, 20, 2, 11, 9, -8},
      {-5, -4, 40, 30, -3, -2, 20, 14}, {36, 28, -50, -40, 0, 0, 16, 12}, {4, 4, 3, 3, 1, 1, 14, 10}};
  for (TPixelFormat f : kAllFormats)
    for (TPixelFormat sf : {f, pf8bit}) {
      TBitmap src(16, 12, sf);
      FillRandom(src, 7);
      for (const RefCopy& base : cases)
        for (TCopyMode mode : {cmSrcCopy, cmSrcInvert}) {
          TBitmap dest(33, 27, f);
          FillRandom(dest, 8);
          RefCopy c = base;
          c.mode = mode;
          c.clip = Rect(1, 2, 31, 26);
          ExpectCopyMatches(dest, src, c, nullptr);
        }
    }
}

TEST(Blit, SamplingKeepsTheColumnsAndRowsGdiKeeps) {
  // Which of 16 source columns (rows) each destination pixel takes, as GDI's stretch gives it.
  const std::vector<std::vector<int>> columns = {
      {14}, {7, 15}, {4, 10, 15}, {3, 7, 11, 15}, {2, 5, 9, 12, 15}, {1, 4, 6, 8, 10, 13, 15},
      {1, 3, 5, 7, 9, 11, 13, 15}, {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15},
      {0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15}};
  const std::vector<std::vector<int>> rows = {
      {0}, {0, 8}, {0, 5, 11}, {0, 4, 8, 12}, {0, 3, 6, 10, 13}, {0, 2, 5, 7, 9, 11, 14},
      {0, 2, 4, 6, 8, 10, 12, 14}, {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15},
      {0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15}};
  TBitmap row16(16, 1, pf8bit), col16(1, 16, pf8bit);
  for (int i = 0; i < 16; ++i) {
    row16.SetRaw(i, 0, std::uint32_t(i));
    col16.SetRaw(0, i, std::uint32_t(i));
  }
  for (const auto& want : columns) {
    const int n = int(want.size());
    TBitmap d(n, 1, pf8bit);
    d.Canvas().CopyRect(Rect(0, 0, n, 1), row16.Canvas(), Rect(0, 0, 16, 1));
    for (int x = 0; x < n; ++x) EXPECT_EQ(d.GetRaw(x, 0), std::uint32_t(want[x])) << "16 -> " << n << " columns";
  }
  for (const auto& want : rows) {
    const int n = int(want.size());
    TBitmap d(1, n, pf8bit);
    d.Canvas().CopyRect(Rect(0, 0, 1, n), col16.Canvas(), Rect(0, 0, 1, 16));
    for (int y = 0; y < n; ++y) EXPECT_EQ(d.GetRaw(0, y), std::uint32_t(want[y])) << "16 -> " << n << " rows";
  }
  // Enlarging 16 -> 24 repeats every other column.
  TBitmap wide(24, 1, pf8bit);
  wide.Canvas().CopyRect(Rect(0, 0, 24, 1), row16.Canvas(), Rect(0, 0, 16, 1));
  const int want24[] = {0, 0, 1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 8, 8, 9, 10, 10, 11, 12, 12, 13, 14, 14, 15};
  for (int x = 0; x < 24; ++x) EXPECT_EQ(wide.GetRaw(x, 0), std::uint32_t(want24[x]));
}

TEST(Blit, SameSurfaceCopiesReadTheSourceFirst) {
  for (TPixelFormat f : kAllFormats) {
    TBitmap b(29, 21, f);
    FillRandom(b, 3);
    // Shifts in all eight directions, 1:1 and scaled, and mirrors onto itself.
    for (int dy = -2; dy <= 2; dy += 2)
      for (int dx = -3; dx <= 3; dx += 3) {
        ExpectCopyMatches(b, b, RefCopy{4 + dx, 4 + dy, 20, 13, 4, 4, 20, 13}, nullptr);
        ExpectCopyMatches(b, b, RefCopy{4 + dx, 4 + dy, 23, 15, 4, 4, 20, 13}, nullptr);
      }
    ExpectCopyMatches(b, b, RefCopy{24, 2, -20, 15, 5, 2, 20, 15}, nullptr);
    ExpectCopyMatches(b, b, RefCopy{5, 16, 20, -15, 5, 2, 20, 15}, nullptr);
    ExpectCopyMatches(b, b, RefCopy{24, 16, -20, -15, 5, 2, 20, 15, cmSrcInvert}, nullptr);

    // The mirror of left..right-1 onto itself: dest (right-1, top, left-1, bottom).
    TBitmap before;
    before.Assign(b);
    b.Canvas().CopyMode = cmSrcCopy;
    b.Canvas().CopyRect(Rect(24, 2, 4, 19), b.Canvas(), Rect(5, 2, 25, 19));
    for (int y = 2; y < 19; ++y)
      for (int x = 5; x < 25; ++x) ASSERT_EQ(b.GetRaw(x, y), before.GetRaw(29 - x, y)) << "format " << f;
    // A 1-pixel-wide region mirrors onto itself unchanged.
    before.Assign(b);
    b.Canvas().CopyRect(Rect(7, 0, 6, 21), b.Canvas(), Rect(7, 0, 8, 21));
    b.Canvas().CopyRect(Rect(0, 9, 29, 8), b.Canvas(), Rect(0, 9, 29, 10));
    EXPECT_EQ(RawDifference(b, before), "") << "format " << f;
  }
}

TEST(Blit, TransparentColourIsLeftOut) {
  for (TPixelFormat f : kAllFormats) {
    TBitmap graphic(9, 6, f);
    FillRandom(graphic, 5);
    graphic.Transparent = true;
    graphic.TransparentColor = graphic.GetPixel(2, 3);
    for (TPixelFormat df : {f, pf24bit})
      for (TCopyMode mode : {cmSrcCopy, cmSrcInvert, cmWhiteness}) {
        TBitmap dest(14, 11, df);
        FillRandom(dest, 6);
        TBitmap expected;
        expected.Assign(dest);
        RefCopy draw{3, 2, 9, 6, 0, 0, 9, 6, mode};
        draw.transparent = &graphic.TransparentColor;
        ReferenceCopy(expected, graphic, draw);
        RefCopy stretch{13, 10, -12, -9, 0, 0, 9, 6, mode};
        stretch.transparent = &graphic.TransparentColor;
        ReferenceCopy(expected, graphic, stretch);
        dest.Canvas().CopyMode = mode;
        dest.Canvas().Draw(3, 2, graphic);
        dest.Canvas().StretchDraw(Rect(13, 10, 1, 1), graphic);
        EXPECT_EQ(RawDifference(dest, expected), "") << "formats " << f << " -> " << df << " mode " << std::hex << mode;
      }
  }
  // Every palette index holding the colour is transparent: white is 15, 231 and 255 here.
  TBitmap graphic(3, 1, pf8bit), dest(3, 1, pf24bit);
  graphic.SetRaw(0, 0, 15);
  graphic.SetRaw(1, 0, 231);
  graphic.SetRaw(2, 0, 0);
  graphic.Transparent = true;
  dest.Canvas().Brush.Color = clRed;
  dest.Canvas().FillRect(dest.BoundsRect());
  dest.Canvas().Draw(0, 0, graphic);
  EXPECT_EQ(dest.GetPixel(0, 0), clRed);
  EXPECT_EQ(dest.GetPixel(1, 0), clRed);
  EXPECT_EQ(dest.GetPixel(2, 0), clBlack);
}

TEST(Blit, WhitenessAndHatchPatterns) {
  for (TPixelFormat f : kAllFormats) {
    TBitmap b(13, 7, f);
    FillRandom(b, 4);
    b.Canvas().CopyMode = cmWhiteness;
    b.Canvas().CopyRect(b.BoundsRect(), b.Canvas(), b.BoundsRect());
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(b.GetPixel(x, y), clWhite) << "format " << f;
    // A hatch brush paints its lines and leaves the pixels between them.
    b.Canvas().Brush.Color = clBlack;
    b.Canvas().Brush.Style = bsCross;
    b.Canvas().CopyMode = cmPatCopy;
    b.Canvas().CopyRect(b.BoundsRect(), b.Canvas(), b.BoundsRect());
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(b.GetPixel(x, y), (x % 8 == 4 || y % 8 == 3) ? clBlack : clWhite) << x << "," << y;
  }
}

}  // namespace
