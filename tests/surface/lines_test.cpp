#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "support/pixel_picture.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

// The pixels of one picture row that are black, as x coordinates.
std::vector<int> blackColumns(const TBitmap& b, int y) {
  std::vector<int> xs;
  for (int x = 0; x < b.Width(); ++x)
    if (b.GetPixel(x, y) == clBlack) xs.push_back(x);
  return xs;
}

TEST(Lines, ThinLineLeavesOutItsEndAndMovesThePen) {
  TBitmap b(12, 3);
  TCanvas& c = b.Canvas();
  c.MoveTo(0, 1);
  c.LineTo(10, 1);
  EXPECT_EQ(blackColumns(b, 1), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(c.PenPos, Point(10, 1));
  c.LineTo(10, 1);  // zero length: nothing
  EXPECT_EQ(b.GetPixel(10, 1), clWhite);
}

TEST(Lines, ThinLineRoundsHalfwayStepsToTheSmallerCoordinate) {
  TBitmap b(20, 12);
  TCanvas& c = b.Canvas();
  c.MoveTo(8, 4);
  c.LineTo(16, 8);
  EXPECT_EQ(PixelPicture(b, Rect(8, 4, 17, 9)),
            "##.......\n"
            "..##.....\n"
            "....##...\n"
            "......##.\n"
            ".........\n");
  // The reverse line has the same pixels apart from which end is left out.
  TBitmap r(20, 12);
  r.Canvas().MoveTo(16, 8);
  r.Canvas().LineTo(8, 4);
  r.SetPixel(8, 4, clBlack);
  r.SetPixel(16, 8, clWhite);
  EXPECT_EQ(PixelPicture(r), PixelPicture(b));
  // Steep lines round to the left on a tie.
  TBitmap s(6, 6);
  s.Canvas().MoveTo(1, 0);
  s.Canvas().LineTo(3, 4);
  EXPECT_EQ(PixelPicture(s, Rect(0, 0, 4, 5)), ".#..\n.#..\n..#.\n..#.\n....\n");
}

TEST(Lines, DottedPenRunsThreeOnThreeOffAcrossPolylineCorners) {
  TBitmap b(16, 4);
  TCanvas& c = b.Canvas();
  c.Pen.Style = psDot;
  c.Polyline({Point(0, 0), Point(4, 0), Point(4, 3), Point(15, 3)});
  EXPECT_EQ(PixelPicture(b),
            "###.............\n"
            "................\n"
            "....#...........\n"
            "....##...###....\n");
  TBitmap l(10, 1);
  l.Canvas().Pen.Style = psDot;
  l.Canvas().MoveTo(0, 0);
  l.Canvas().LineTo(4, 0);
  l.Canvas().LineTo(9, 0);  // each LineTo starts the pattern afresh
  EXPECT_EQ(PixelPicture(l), "###.###...\n");
}

TEST(Lines, WidePenHasRoundEndsCentredOnThePath) {
  TBitmap b(24, 16);
  TCanvas& c = b.Canvas();
  c.Pen.Width = 3;
  c.MoveTo(4, 4);
  c.LineTo(12, 4);
  c.MoveTo(4, 10);
  c.LineTo(4, 10);
  c.Pen.Width = 5;
  c.MoveTo(16, 10);
  c.LineTo(16, 10);
  EXPECT_EQ(PixelPicture(b, Rect(2, 2, 20, 14)),
            "..................\n"
            "..#########.......\n"
            ".###########......\n"
            "..#########.......\n"
            "..................\n"
            "..................\n"
            ".............###..\n"
            "..#.........#####.\n"
            ".###........#####.\n"
            "..#.........#####.\n"
            ".............###..\n"
            "..................\n");
}

TEST(Lines, EvenWidthsSitHalfAPixelUpAndLeft) {
  const struct {
    int width;
    const char* rows;
  } cases[] = {
      {2, "............\n"
          "............\n"
          ".##########.\n"
          ".##########.\n"
          "............\n"
          "............\n"},
      {4, "............\n"
          ".##########.\n"
          "############\n"
          "############\n"
          ".##########.\n"
          "............\n"},
  };
  for (const auto& k : cases) {
    TBitmap b(14, 8);
    b.Canvas().Pen.Width = k.width;
    b.Canvas().MoveTo(4, 4);
    b.Canvas().LineTo(12, 4);
    EXPECT_EQ(PixelPicture(b, Rect(2, 1, 14, 7)), k.rows) << "width " << k.width;
  }
}

TEST(Lines, ClippedLinesKeepTheirPixelsEvenFromFarAway) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> near(-20, 80), far(-100000, 100000), width(1, 12);
  for (int i = 0; i < 300; ++i) {
    TBitmap full(64, 48), clipped(64, 48);
    const TRect clip = Rect(9, 7, 50, 33);
    TPen pen;
    pen.Width = width(rng);
    const bool distant = i % 3 == 0;
    const TPoint a{distant ? far(rng) : near(rng), near(rng)}, z{near(rng), distant ? far(rng) : near(rng)};
    const TPoint m{near(rng), near(rng)};
    for (TBitmap* b : {&full, &clipped}) {
      TCanvas& c = b->Canvas();
      c.Pen = pen;
      if (b == &clipped) c.SetClipRect(clip);
      if (i % 2)
        c.Polyline({a, m, z});
      else {
        c.MoveTo(a.X, a.Y);
        c.LineTo(z.X, z.Y);
      }
    }
    ASSERT_EQ(PixelPicture(clipped, clip), PixelPicture(full, clip)) << "case " << i;
    ASSERT_EQ(PixelPicture(clipped, Rect(0, 0, 64, 7)), PixelPicture(TBitmap(64, 7))) << "case " << i;
  }
}

TEST(Lines, ExtremeCoordinatesDrawWhatCrossesTheBitmap) {
  for (int width : {1, 3}) {
    TBitmap b(12, 12);
    TCanvas& c = b.Canvas();
    c.Pen.Width = width;
    c.MoveTo(INT_MIN, INT_MIN);
    c.LineTo(INT_MAX, INT_MAX);
    c.Polyline({Point(INT_MAX, INT_MIN), Point(INT_MIN, INT_MAX), Point(INT_MIN, INT_MIN)});
    c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // beyond the largest figure: not drawn
    EXPECT_EQ(b.GetPixel(5, 5), clBlack) << width;
    EXPECT_EQ(b.GetPixel(9, 2), clWhite) << width;
  }
}

TEST(Lines, WideSelfCrossingPolylineIsOneShape) {
  TBitmap once(40, 40), copy(40, 40);
  const std::vector<TPoint> path = {Point(5, 5), Point(35, 35), Point(35, 5), Point(5, 35)};
  once.Canvas().Pen.Width = 7;
  once.Canvas().Pen.Mode = pmNot;
  once.Canvas().Polyline(path);
  copy.Canvas().Pen.Width = 7;
  copy.Canvas().Polyline(path);
  // Inverting once must give exactly the pixels a copy-mode draw covers.
  EXPECT_EQ(PixelPicture(once), PixelPicture(copy));
}

}  // namespace
