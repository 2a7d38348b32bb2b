#include <gtest/gtest.h>

#include <vector>

#include "raster_test_util.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

using namespace raster_test;

namespace {

// The pixels a fill at (x, y) of colour c must reach, found breadth first one pixel at a time.
std::vector<bool> ReachedByReference(const TBitmap& b, const TRect& clip, int x, int y, TColor c) {
  std::vector<bool> reached(std::size_t(b.Width()) * b.Height());
  auto inside = [&](int px, int py) {
    return px >= clip.Left && px < clip.Right && py >= clip.Top && py < clip.Bottom && b.GetPixel(px, py) == c &&
           !reached[std::size_t(py) * b.Width() + px];
  };
  if (!inside(x, y)) return reached;
  std::vector<TPoint> queue{Point(x, y)};
  reached[std::size_t(y) * b.Width() + x] = true;
  for (std::size_t i = 0; i < queue.size(); ++i) {
    const TPoint p = queue[i];
    for (TPoint n : {Point(p.X - 1, p.Y), Point(p.X + 1, p.Y), Point(p.X, p.Y - 1), Point(p.X, p.Y + 1)})
      if (inside(n.X, n.Y)) {
        reached[std::size_t(n.Y) * b.Width() + n.X] = true;
        queue.push_back(n);
      }
  }
  return reached;
}

// Two colours at random, mostly the first, so that the areas are irregular and many.
void Blotches(TBitmap& b, TColor area, TColor wall, std::uint32_t seed) {
  Lcg rng(seed);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, rng.Below(100) < 38 ? wall : area);
}

TEST(FloodFill, SolidFillsExactlyTheConnectedAreaInEveryFormat) {
  for (TPixelFormat f : kAllFormats)
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
      TBitmap b(53, 41, f);
      Blotches(b, clWhite, clBlack, seed);
      const TRect clip = seed % 2 ? b.BoundsRect() : Rect(3, 2, 50, 37);
      const int sx = 5 + int(seed) * 6, sy = 20;
      const TColor c = b.GetPixel(sx, sy);
      const std::vector<bool> reached = ReachedByReference(b, clip, sx, sy, c);
      TBitmap before;
      before.Assign(b);
      b.Canvas().Brush.Color = c == clWhite ? clBlack : clWhite;
      b.Canvas().SetClipRect(clip);
      b.Canvas().FloodFill(sx, sy, c);
      for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
          ASSERT_EQ(b.GetPixel(x, y), reached[std::size_t(y) * b.Width() + x] ? b.Canvas().Brush.Color : before.GetPixel(x, y))
              << "format " << f << " seed " << seed << " at " << x << "," << y;
    }
}

TEST(FloodFill, StopsAtDiagonalsAndOtherColours) {
  TBitmap b(10, 6, pf24bit);
  for (int i = 0; i < 6; ++i) b.SetPixel(5 - i, i, clBlack);  // a 1-pixel diagonal wall
  b.SetPixel(9, 5, clRed);
  b.Canvas().Brush.Color = clBlue;
  b.Canvas().FloodFill(0, 0, clWhite);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) {
      const TColor want = x + y < 5 ? clBlue : x + y == 5 ? clBlack : (x == 9 && y == 5) ? clRed : clWhite;
      ASSERT_EQ(b.GetPixel(x, y), want) << x << "," << y;
    }
  // A start pixel of another colour, or outside the clip rectangle, fills nothing.
  TBitmap before;
  before.Assign(b);
  b.Canvas().FloodFill(9, 0, clRed);
  b.Canvas().SetClipRect(Rect(0, 0, 5, 6));
  b.Canvas().FloodFill(9, 0, clWhite);
  b.Canvas().FloodFill(-1, 0, clBlue);
  EXPECT_EQ(RawDifference(b, before), "");
  // Clipped: the white beyond the clip rectangle stays.
  b.Canvas().SetClipRect(Rect(0, 0, 8, 6));
  b.Canvas().FloodFill(7, 1, clWhite);
  EXPECT_EQ(b.GetPixel(7, 1), clBlue);
  EXPECT_EQ(b.GetPixel(8, 1), clWhite);
}

TEST(FloodFill, HatchBrushFillsItsLinesAndStops) {
  for (TPixelFormat f : kAllFormats) {
    TBitmap b(40, 30, f);
    Blotches(b, clWhite, clBlack, 11);
    const std::vector<bool> reached = ReachedByReference(b, b.BoundsRect(), 20, 15, b.GetPixel(20, 15));
    const TColor c = b.GetPixel(20, 15);
    const TColor ink = c == clWhite ? clBlack : clWhite;
    TBitmap before;
    before.Assign(b);
    b.Canvas().Brush.Color = ink;
    b.Canvas().Brush.Style = bsDiagCross;
    b.Canvas().BrushOrigin = Point(1, 2);
    b.Canvas().FloodFill(20, 15, c);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const int cx = (x - 1) & 7, cy = (y - 2) & 7;
        const bool line = cx == cy || cx + cy == 7;
        const bool painted = reached[std::size_t(y) * 40 + x] && line;
        ASSERT_EQ(b.GetPixel(x, y), painted ? ink : before.GetPixel(x, y)) << "format " << f << " at " << x << "," << y;
      }
  }
}

TEST(FloodFill, IndexedBitmapsMatchEveryIndexOfTheColour) {
  // White is index 15, 231 and 255 of the 8-bit palette: all of them are the area.
  TBitmap b(6, 3, pf8bit);
  b.SetRaw(1, 0, 231);
  b.SetRaw(2, 1, 255);
  b.SetRaw(3, 1, 0);
  b.SetRaw(3, 0, 16);  // black again, not part of the area
  b.SetRaw(3, 2, 0);
  b.Canvas().Brush.Color = clRed;
  b.Canvas().FloodFill(0, 0, clWhite);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool wall = x == 3;
      ASSERT_EQ(b.GetPixel(x, y), wall ? clBlack : x < 3 ? clRed : clWhite) << x << "," << y;
    }
  // A brush of the filled colour itself: the fill ends, and the area takes the brush's index.
  b.SetRaw(4, 1, 255);
  b.Canvas().Brush.Color = clWhite;
  b.Canvas().FloodFill(5, 2, clWhite);
  for (int y = 0; y < 3; ++y)
    for (int x = 4; x < 6; ++x) EXPECT_EQ(b.GetRaw(x, y), 15u);
}

TEST(FloodFill, EightMillionPixelsWithoutRecursion) {
  // A serpentine corridor: every row is one long run, joined to the next at alternating ends,
  // so the whole area is one winding region.
  TBitmap b(4000, 2000, pf32bit);
  for (int y = 1; y < 2000; y += 2) {
    const int gap = (y / 2) % 2 ? 0 : 3999;
    for (int x = 0; x < 4000; ++x)
      if (x != gap) b.SetPixel(x, y, clBlack);
  }
  b.Canvas().Brush.Color = clRed;
  b.Canvas().FloodFill(0, 0, clWhite);
  EXPECT_EQ(b.GetPixel(3999, 1998), clRed);
  EXPECT_EQ(b.GetPixel(1999, 1), clBlack);
  // And a whole picture of one colour.
  TBitmap plain(4000, 2000, pf32bit);
  plain.Canvas().Brush.Color = clBlue;
  plain.Canvas().FloodFill(1234, 567, clWhite);
  EXPECT_EQ(plain.GetPixel(0, 0), clBlue);
  EXPECT_EQ(plain.GetPixel(3999, 1999), clBlue);
}

}  // namespace
