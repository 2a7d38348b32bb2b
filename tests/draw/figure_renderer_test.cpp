#include "draw/figure_renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "draw/figure_pictures.h"
#include "draw/other_shapes.h"
#include "surface/bitmap.h"

namespace {

using figure_test::PreparePicture;
using figure_test::SamePicture;

// Draws figure `figure` from s to e with pmCopy and the given choice.
figure_test::Drawing Rendered(int figure, TPoint s, TPoint e, TFigureChoice choice = {}) {
  return [=](TCanvas& c) {
    TFigurePoints points{s, s};
    TFigureChoice ch = choice;
    ch.figure = figure;
    RenderFigure(points, e, c, pmCopy, ch);
  };
}

TEST(FigureRenderer, TriangleAndPolygonCorners) {
  EXPECT_EQ(TrianglePoints({10, 50}, {30, 10}), (std::array<TPoint, 3>{{{10, 50}, {30, 50}, {20, 10}}}));
  EXPECT_EQ(TrianglePoints({-3, 0}, {0, 8}), (std::array<TPoint, 3>{{{-3, 0}, {0, 0}, {-1, 8}}}));

  const TPoint p55{5, 5}, m48{-4, 8};
  EXPECT_EQ(RegularPolygon({0, 0}, {10, 0}, 4),
            (TPolygonVertices{{{0, 0}, {5, -5}, {10, 0}, p55, p55, p55, p55, p55, p55, p55}}));
  EXPECT_EQ(RegularPolygon({0, 0}, {0, 10}, 3),
            (TPolygonVertices{{{0, 0}, {4, 8}, m48, m48, m48, m48, m48, m48, m48, m48}}));
  // Half pixels at 60 and 120 degrees go to the even neighbour: 2.5 to 2, 7.5 to 8.
  const TPoint p24{2, 4};
  EXPECT_EQ(RegularPolygon({0, 0}, {10, 0}, 6),
            (TPolygonVertices{{{0, 0}, {2, -4}, {8, -4}, {10, 0}, {8, 4}, p24, p24, p24, p24, p24}}));
  // A wide figure whose quarter-turn vertices sit on half pixels still rounds them to even.
  const TPolygonVertices wide = RegularPolygon({-10000, 0}, {10003, 0}, 4);
  EXPECT_EQ(wide[1], (TPoint{2, -10002}));
  EXPECT_EQ(wide[2], (TPoint{10003, 0}));
  EXPECT_EQ(wide[3], (TPoint{2, 10002}));
  // Ten corners: the first is S, the sixth E.
  const TPolygonVertices ten = RegularPolygon({20, 40}, {100, 40}, 10);
  EXPECT_EQ(ten[0], (TPoint{20, 40}));
  EXPECT_EQ(ten[5], (TPoint{100, 40}));
  EXPECT_EQ(ten[1], (TPoint{28, 16}));  // 60 - 40·cos 36°, 40 - 40·sin 36°
  // N outside 3..10 is clamped.
  EXPECT_EQ(RegularPolygon({3, 9}, {40, 17}, 1), RegularPolygon({3, 9}, {40, 17}, 3));
  EXPECT_EQ(RegularPolygon({3, 9}, {40, 17}, 12), RegularPolygon({3, 9}, {40, 17}, 10));
}

TEST(FigureRenderer, PenAndBrushFiguresFollowTheirCorners) {
  EXPECT_TRUE(SamePicture(Rendered(2, {5, 70}, {110, 3}), [](TCanvas& c) {
    c.MoveTo(5, 70);
    c.LineTo(110, 3);
  }));
  EXPECT_TRUE(SamePicture(Rendered(3, {100, 70}, {10, 5}), [](TCanvas& c) { c.Ellipse(10, 5, 100, 70); }));
  EXPECT_TRUE(SamePicture(Rendered(4, {10, 50}, {30, 10}),
                          [](TCanvas& c) { c.Polygon({{10, 50}, {30, 50}, {20, 10}}); }));
  EXPECT_TRUE(SamePicture(Rendered(5, {100, 7}, {10, 70}), [](TCanvas& c) { c.Rectangle(10, 7, 100, 70); }));

  TFigureChoice square;
  square.polygonCorners = 4;
  TPolygonVertices stored{};
  EXPECT_TRUE(SamePicture(
      [&](TCanvas& c) {
        TFigurePoints points{{30, 40}, {30, 40}};
        square.figure = 7;
        RenderFigure(points, {90, 40}, c, pmCopy, square, &stored);
      },
      [](TCanvas& c) { c.Polygon({{30, 40}, {60, 10}, {90, 40}, {60, 70}}); }));
  EXPECT_EQ(stored[3], (TPoint{60, 70}));
  EXPECT_EQ(stored[9], (TPoint{60, 70}));

  TFigureChoice cross;
  cross.otherShape = osCross;
  cross.otherShapeParam = 3;
  EXPECT_TRUE(SamePicture(Rendered(8, {10, 20}, {100, 60}, cross),
                          [](TCanvas& c) { DrawCross(10, 20, 100, 60, c, 3); }));
}

TEST(FigureRenderer, RoundedRectangleLooksTheSameDraggedAnyWay) {
  // The corner size is half the drag, with its sign; negative sizes count as their absolute
  // value, as they do on the classic surface.
  const auto expected = [](TCanvas& c) { c.RoundRect(10, 10, 90, 60, 40, 25); };
  EXPECT_TRUE(SamePicture(Rendered(6, {90, 60}, {10, 10}), expected));
  EXPECT_TRUE(SamePicture(Rendered(6, {10, 10}, {90, 60}), expected));
  EXPECT_TRUE(SamePicture(Rendered(6, {90, 10}, {10, 60}), expected));
  EXPECT_TRUE(SamePicture(Rendered(6, {10, 60}, {90, 10}), expected));
}

TEST(FigureRenderer, FreehandContinuesFromEachEndPoint) {
  const std::vector<TPoint> path{{10, 10}, {60, 20}, {30, 70}, {100, 50}, {100, 5}};
  EXPECT_TRUE(SamePicture(
      [&](TCanvas& c) {
        TFigurePoints points{path[0], path[0]};
        for (size_t i = 1; i < path.size(); ++i) {
          RenderFigure(points, path[i], c, pmCopy, TFigureChoice{});
          EXPECT_EQ(points.start, path[i]);
          EXPECT_EQ(points.previous, path[i - 1]);
        }
      },
      [&](TCanvas& c) { c.Polyline(path); }));
}

TEST(FigureRenderer, SelectionAndAnglePreviewsUseAThinPen) {
  // A wide pen and a pattern brush left by the stroke settings: the selection band is still a
  // dotted 1-px frame with nothing inside.
  TBitmap pattern(8, 8);
  pattern.Canvas().Brush.Color = clBlack;
  pattern.Canvas().FillRect(pattern.BoundsRect());
  const auto wideTools = [&](TCanvas& c) {
    c.Pen.Width = 7;
    c.Brush.Bitmap = &pattern;
  };
  EXPECT_TRUE(SamePicture(
      [&](TCanvas& c) {
        wideTools(c);
        Rendered(12, {100, 70}, {10, 10})(c);
      },
      [](TCanvas& c) {
        c.Pen.Style = psDot;
        c.Brush.Style = bsClear;
        c.Rectangle(10, 10, 100, 70);
      }));
  EXPECT_TRUE(SamePicture(
      [&](TCanvas& c) {
        wideTools(c);
        Rendered(16, {100, 70}, {10, 10})(c);
      },
      [](TCanvas& c) {
        c.MoveTo(100, 70);
        c.LineTo(10, 10);
      }));
}

TEST(FigureRenderer, ToolsDrawnElsewhereDrawNothing) {
  for (int figure : {17, 18, 0, 19}) {
    TBitmap drawn, blank;
    PreparePicture(drawn);
    PreparePicture(blank);
    Rendered(figure, {10, 10}, {100, 70})(drawn.Canvas());
    EXPECT_EQ(PixelPicture(drawn), PixelPicture(blank)) << "figure " << figure;
  }
}

}  // namespace
