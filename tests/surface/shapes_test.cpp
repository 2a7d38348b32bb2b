#include <gtest/gtest.h>

#include "support/pixel_picture.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

const TColor kFill = RGB(0x40, 0xA0, 0xFF);

TEST(Shapes, FiguresCoverTheirBoxesAndAClearPenShrinksOnlyTheRectangle) {
  TBitmap b(44, 10);
  TCanvas& c = b.Canvas();
  c.Brush.Color = kFill;
  c.Rectangle(1, 1, 9, 7);
  c.Ellipse(22, 1, 30, 8);
  c.Pen.Style = psClear;
  c.Rectangle(11, 1, 19, 7);
  c.Ellipse(32, 1, 40, 8);
  EXPECT_EQ(PixelPicture(b),
            "............................................\n"
            ".########..ooooooo......####......oooo......\n"
            ".#oooooo#..ooooooo.....#oooo#....oooooo.....\n"
            ".#oooooo#..ooooooo....#oooooo#..oooooooo....\n"
            ".#oooooo#..ooooooo....#oooooo#..oooooooo....\n"
            ".#oooooo#..ooooooo....#oooooo#..oooooooo....\n"
            ".########..............#oooo#....oooooo.....\n"
            "........................####......oooo......\n"
            "............................................\n"
            "............................................\n");
}

TEST(Shapes, BrushPaintsUnderRoundOutlinesButNotUnderRectangleOutlines) {
  // Inverting twice gives the pixel back: outline pixels the brush also covered come back white.
  TBitmap b(62, 16);
  TCanvas& c = b.Canvas();
  c.Brush.Color = clBlack;
  c.Pen.Mode = pmNot;
  c.Rectangle(1, 1, 13, 12);
  c.Ellipse(15, 1, 29, 12);
  c.RoundRect(31, 1, 45, 12, 6, 6);
  c.Polygon({Point(47, 1), Point(60, 1), Point(60, 12), Point(47, 12)});
  EXPECT_EQ(PixelPicture(b, Rect(0, 0, 62, 14)),
            "..............................................................\n"
            ".############...............................................#.\n"
            ".############......######........##########.....#############.\n"
            ".############....##########.....############....#############.\n"
            ".############....##########.....############....#############.\n"
            ".############...############....############....#############.\n"
            ".############...############....############....#############.\n"
            ".############...############....############....#############.\n"
            ".############....##########.....############....#############.\n"
            ".############....##########.....############....#############.\n"
            ".############......######........##########.....#############.\n"
            ".############...................................#############.\n"
            "...............................................##############.\n"
            "..............................................................\n");
}

TEST(Shapes, PolygonOutlineTakesItsVerticesAndItsFillIsHalfOpen) {
  TBitmap outlined(24, 10);
  outlined.Canvas().Brush.Color = kFill;
  outlined.Canvas().Rectangle(1, 1, 9, 7);
  outlined.Canvas().Polygon({Point(12, 1), Point(20, 1), Point(20, 7), Point(12, 7)});
  EXPECT_EQ(PixelPicture(outlined),
            "........................\n"
            ".########...#########...\n"
            ".#oooooo#...#ooooooo#...\n"
            ".#oooooo#...#ooooooo#...\n"
            ".#oooooo#...#ooooooo#...\n"
            ".#oooooo#...#ooooooo#...\n"
            ".########...#ooooooo#...\n"
            "............#########...\n"
            "........................\n"
            "........................\n");
  TBitmap filled(24, 10);
  filled.Canvas().Brush.Color = kFill;
  filled.Canvas().Pen.Style = psClear;
  filled.Canvas().Polygon({Point(1, 1), Point(9, 1), Point(9, 7), Point(1, 7)});
  filled.Canvas().Polygon({Point(12, 1), Point(20, 9), Point(12, 9)});
  EXPECT_EQ(PixelPicture(filled),
            "........................\n"
            ".oooooooo...............\n"
            ".oooooooo...o...........\n"
            ".oooooooo...oo..........\n"
            ".oooooooo...ooo.........\n"
            ".oooooooo...oooo........\n"
            ".oooooooo...ooooo.......\n"
            "............oooooo......\n"
            "............ooooooo.....\n"
            "........................\n");
}

TEST(Shapes, WidePensAreCentredOnTheOutlineAndTheFillStaysOutOfThem) {
  TBitmap b(44, 16);
  TCanvas& c = b.Canvas();
  c.Brush.Color = kFill;
  c.Pen.Width = 3;
  c.Rectangle(3, 3, 11, 11);
  c.Pen.Width = 4;
  c.Rectangle(30, 3, 38, 11);
  EXPECT_EQ(PixelPicture(b, Rect(0, 1, 44, 12)),
            ".............................#########......\n"
            "...########.................###########.....\n"
            "..##########................###########.....\n"
            "..##########................###########.....\n"
            "..###oooo###................####ooo####.....\n"
            "..###oooo###................####ooo####.....\n"
            "..###oooo###................####ooo####.....\n"
            "..###oooo###................###########.....\n"
            "..##########................###########.....\n"
            "..##########................###########.....\n"
            "...########..................#########......\n");
}

TEST(Shapes, RoundRectCornersAreAbsoluteClampedAndZeroMeansSquare) {
  auto draw = [](auto figure) {
    auto b = std::make_unique<TBitmap>(14, 12);
    b->Canvas().Brush.Color = clRed;
    figure(b->Canvas());
    return PixelPicture(*b);
  };
  const std::string rounded = draw([](TCanvas& c) { c.RoundRect(1, 1, 12, 10, 4, 4); });
  EXPECT_EQ(rounded,
            "..............\n"
            "..#########...\n"
            ".#ooooooooo#..\n"
            ".#ooooooooo#..\n"
            ".#ooooooooo#..\n"
            ".#ooooooooo#..\n"
            ".#ooooooooo#..\n"
            ".#ooooooooo#..\n"
            ".#ooooooooo#..\n"
            "..#########...\n"
            "..............\n"
            "..............\n");
  EXPECT_EQ(draw([](TCanvas& c) { c.RoundRect(1, 1, 12, 10, -4, -4); }), rounded);
  EXPECT_EQ(draw([](TCanvas& c) { c.RoundRect(12, 10, 1, 1, -4, 4); }), rounded);
  EXPECT_EQ(draw([](TCanvas& c) { c.RoundRect(1, 1, 12, 10, 0, 0); }),
            draw([](TCanvas& c) { c.Rectangle(1, 1, 12, 10); }));
  EXPECT_EQ(draw([](TCanvas& c) { c.RoundRect(1, 1, 12, 10, 20, 20); }),
            draw([](TCanvas& c) { c.Ellipse(1, 1, 12, 10); }));
}

TEST(Shapes, ReversedCornersNormaliseAndEmptyBoxesDrawNothing) {
  TBitmap a(40, 30), b(40, 30), empty(40, 30);
  a.Canvas().Rectangle(30, 25, 10, 5);
  a.Canvas().Ellipse(35, 20, 20, 2);
  b.Canvas().Rectangle(10, 5, 30, 25);
  b.Canvas().Ellipse(20, 2, 35, 20);
  EXPECT_EQ(PixelPicture(a), PixelPicture(b));
  TCanvas& c = empty.Canvas();
  c.Pen.Width = 5;
  c.Rectangle(5, 5, 5, 20);
  c.Ellipse(8, 8, 30, 8);
  c.RoundRect(3, 3, 3, 3, 2, 2);
  c.Polygon({Point(9, 9)});
  EXPECT_EQ(PixelPicture(empty), PixelPicture(TBitmap(40, 30)));
}

TEST(Shapes, WindingFillsTheMiddleOfAStarThatAlternateLeavesOpen) {
  const std::vector<TPoint> star = {Point(10, 0), Point(16, 19), Point(0, 7), Point(20, 7), Point(4, 19)};
  for (bool winding : {false, true}) {
    TBitmap b(21, 21);
    b.Canvas().Pen.Style = psClear;
    b.Canvas().Brush.Color = clBlack;
    b.Canvas().Polygon(star, winding);
    EXPECT_EQ(b.GetPixel(10, 10), winding ? clBlack : clWhite);
    EXPECT_EQ(b.GetPixel(10, 3), clBlack);  // a point of the star
    EXPECT_EQ(b.GetPixel(10, 20), clWhite);
  }
}

TEST(Shapes, HatchesLineUpWithTheBitmapOriginAndBrushOrigin) {
  TBitmap b(24, 24);
  TCanvas& c = b.Canvas();
  c.Pen.Style = psClear;
  c.Brush.Style = bsHorizontal;
  c.Brush.Color = clBlack;
  c.Rectangle(5, 1, 20, 23);  // fills 5..18 x 1..21: hatch rows 3, 11 and 19
  c.BrushOrigin = Point(0, 2);
  c.Rectangle(0, 0, 4, 24);   // fills 0..2 x 0..22: hatch rows 5, 13 and 21
  for (int y = 0; y < 24; ++y) {
    EXPECT_EQ(b.GetPixel(10, y), y % 8 == 3 ? clBlack : clWhite) << y;
    EXPECT_EQ(b.GetPixel(1, y), y % 8 == 5 ? clBlack : clWhite) << y;
  }
}

TEST(Shapes, HugeFiguresAroundTheBitmapFillItWithoutWalkingTheirArea) {
  TBitmap b(16, 16);
  TCanvas& c = b.Canvas();
  c.Brush.Color = clBlack;
  c.Pen.Width = 9;
  c.Ellipse(-100000, -100000, 100000, 100000);
  c.Polygon({Point(-2000000000, -2000000000), Point(2000000000, 0), Point(0, 2000000000)});
  c.Rectangle(-100000, -100000, 100000, 100000);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(b.GetPixel(x, y), clBlack);
}

}  // namespace
