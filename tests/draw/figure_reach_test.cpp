// The reach of a figure must hold every pixel the figure changes: the previews restore and
// repaint only that rectangle, so a pixel outside it would stay behind as a trace.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "draw/figure_reach.h"
#include "draw/stroke_state.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

// Draws the figure on a white picture with a solid brush and reports a changed pixel outside
// its reach, if any.
std::string TraceOutsideReach(const TFigureChoice& choice, TPoint s, TPoint e, int penWidth) {
  TBitmap picture(160, 120);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush.Color = clWhite;
  canvas.FillRect(picture.BoundsRect());
  canvas.Pen.Width = penWidth;
  canvas.Brush.Color = clRed;
  const TRect reach = FigureReach(choice, s, e, penWidth, picture.BoundsRect());
  // The text tool writes in the font the stroke's first press built.
  MakeTextFont(canvas, choice.text.font, choice.text.escapement);
  TFigurePoints points{s, s};
  RenderFigure(points, e, canvas, pmCopy, choice);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (picture.GetPixel(x, y) != clWhite && !Inside(reach, x, y))
        return "figure " + std::to_string(choice.figure) + " touches (" + std::to_string(x) + "," +
               std::to_string(y) + ")";
  return {};
}

TEST(FigureReach, HoldsEveryPixelOfThePenAndBrushFiguresAndThePastes) {
  TBitmap pasteBuffer(7, 5);
  pasteBuffer.Canvas().Brush.Color = clBlue;
  pasteBuffer.Canvas().FillRect(pasteBuffer.BoundsRect());
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(-20, 180), y(-20, 140), width(1, 12);
  for (int figure : {1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14, 15, 16}) {
    for (int shape = 0; shape < 8; ++shape) {
      TFigureChoice choice;
      choice.figure = figure;
      choice.otherShape = shape;
      choice.otherShapeParam = 9;  // the widest heads and loupes
      choice.polygonCorners = 3 + shape;
      choice.pasteBuffer = &pasteBuffer;
      for (int i = 0; i < 6; ++i) {
        const TPoint s{x(random), y(random)}, e{x(random), y(random)};
        EXPECT_EQ(TraceOutsideReach(choice, s, e, width(random)), "");
      }
    }
  }
}

TEST(FigureReach, HoldsEveryPixelOfTheTextAtAnyAngleSizeAndStyle) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> x(-20, 180), y(-20, 140), angle(-180, 180), size(1, 30), coin(0, 1);
  const std::vector<std::string> memos[] = {{"AB", "CD"}, {"Wj", "", "fgy|"}, {"日本語のテキスト"}, {}};
  for (int figure : {17, 18}) {
    for (const auto& lines : memos) {
      for (int i = 0; i < 12; ++i) {
        TFigureChoice choice;
        choice.figure = figure;
        choice.text.lines = lines;
        choice.text.escapement = angle(random);
        choice.fillSetting = coin(random);
        choice.text.font.size = size(random);
        choice.text.font.italic = coin(random);
        choice.text.font.bold = coin(random);
        choice.text.font.underline = coin(random);
        const TPoint s{x(random), y(random)}, e{x(random), y(random)};
        EXPECT_EQ(TraceOutsideReach(choice, s, e, 1), "") << "angle " << choice.text.escapement << " size "
                                                          << choice.text.font.size;
      }
    }
  }
}

TEST(FigureReach, SprayFillAndTextReachTheirAreasAndTheEyedropperNothing) {
  const TRect whole{0, 0, 100, 80};
  TFigureChoice choice;
  choice.figure = 11;
  EXPECT_EQ(FigureReach(choice, TPoint{0, 0}, TPoint{50, 40}, 5, whole), (TRect{44, 34, 57, 47}));
  choice.figure = 9;
  EXPECT_EQ(FigureReach(choice, TPoint{5, 5}, TPoint{6, 6}, 1, whole), whole);
  // Text reaches its lines only, and an empty memo nothing.
  for (int figure : {17, 18}) {
    choice.figure = figure;
    choice.text.lines = {"AB"};
    const TRect text = FigureReach(choice, TPoint{5, 5}, TPoint{60, 5}, 1, whole);
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_LT(text.Bottom, 40);
    choice.text.lines = {};
    EXPECT_TRUE(FigureReach(choice, TPoint{5, 5}, TPoint{60, 5}, 1, whole).IsEmpty());
  }
  choice.figure = 10;
  EXPECT_TRUE(FigureReach(choice, TPoint{5, 5}, TPoint{6, 6}, 1, whole).IsEmpty());
  // Far outside the picture nothing is reached.
  choice.figure = 3;
  EXPECT_TRUE(FigureReach(choice, TPoint{-500, -500}, TPoint{-300, -300}, 50, whole).IsEmpty());
  EXPECT_EQ(UnionOfRects(TRect{}, TRect{1, 2, 3, 4}), (TRect{1, 2, 3, 4}));
  EXPECT_EQ(UnionOfRects(TRect{1, 2, 3, 4}, TRect{0, 5, 2, 9}), (TRect{0, 2, 3, 9}));
}

TEST(RestoreFromSnapshot, BringsBackOnlyTheRectangleAndFallsBackToTheWholeSnapshot) {
  TBitmap snapshot(40, 30, pf8bit), picture(40, 30, pf8bit);
  snapshot.Canvas().Brush.Color = RGB(255, 255, 0);
  snapshot.Canvas().FillRect(snapshot.BoundsRect());
  picture.Assign(snapshot);
  picture.SetPixel(5, 5, clRed);
  picture.SetPixel(30, 20, clRed);
  picture.Canvas().CopyMode = cmSrcInvert;

  EXPECT_FALSE(RestoreFromSnapshot(picture, snapshot, TRect{10, 25, -3, 2}));  // reversed corners
  EXPECT_EQ(picture.GetPixel(5, 5), RGB(255, 255, 0));
  EXPECT_EQ(picture.GetPixel(30, 20), clRed);
  EXPECT_EQ(picture.Canvas().CopyMode, cmSrcInvert);  // the stroke's copy mode stays

  // A picture still sharing the snapshot's pixels stays shared: nothing to copy.
  picture.Assign(snapshot);
  RestoreFromSnapshot(picture, snapshot, picture.BoundsRect());
  EXPECT_TRUE(picture.SharesPixelsWith(snapshot));

  TBitmap small(10, 10, pf8bit);
  EXPECT_TRUE(RestoreFromSnapshot(small, snapshot, TRect{0, 0, 1, 1}));
  EXPECT_EQ(small.Width(), 40);
  EXPECT_EQ(small.GetPixel(30, 20), RGB(255, 255, 0));
}

}  // namespace
