#include "draw/other_shapes.h"

#include <gtest/gtest.h>

#include <vector>

#include "draw/figure_pictures.h"

namespace {

using figure_test::PreparePicture;
using figure_test::SamePicture;

void Segment(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

// The pictures of the examples are shifted into the picture; their divisions are exact, so
// the shift moves every point alike.

TEST(OtherShapes, ArrowsHaveTheirHeadsTwoThirdsAlong) {
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawArrow(10, 30, 100, 30, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 10, 30, 100, 30);
                            c.LineTo(70, 15);
                            Segment(c, 100, 30, 70, 45);
                          }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawBlockArrow(10, 30, 100, 30, c, 5); },
                          [](TCanvas& c) {
                            c.Polygon({{10, 27}, {70, 27}, {70, 15}, {100, 30}, {70, 45}, {70, 33}, {10, 33},
                                       {10, 27}});
                          }));
  // Rising, p = 6: head half-widths 18 and -12, shaft 4 (540/120 truncated) and -3.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawBlockArrow(10, 70, 100, 10, c, 6); },
                          [](TCanvas& c) {
                            c.Polygon({{7, 66}, {67, 26}, {58, 12}, {100, 10}, {82, 48}, {73, 34}, {13, 74},
                                       {7, 66}});
                          }));
  // Upward and to the left: p·dy div 30 = -375/30 truncates to -12, p·dx div 30 = -8.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawArrow(110, 75, 62, 0, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 110, 75, 62, 0);
                            c.LineTo(78 - 12, 25 + 8);
                            Segment(c, 62, 0, 78 + 12, 25 - 8);
                          }));
}

TEST(OtherShapes, ResistorZigzagsOneSeventhOffTheAxis) {
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawResistor(10, 40, 80, 40, c, 5); },
                          [](TCanvas& c) {
                            c.Polyline({{10, 40}, {15, 40}, {20, 30}, {30, 50}, {40, 30}, {50, 50}, {60, 30}, {70, 50},
                                        {75, 40}, {80, 40}});
                          }));
  // Down and to the left: dx div 7 = -10/7 is -1 and its half 0 (truncated, not floored).
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawResistor(80, 10, 70, 60, c, 5); },
                          [](TCanvas& c) {
                            c.Polyline({{80, 10}, {80, 13}, {86, 18}, {71, 23}, {84, 32}, {69, 37}, {82, 46}, {67, 51},
                                        {70, 57}, {70, 60}});
                          }));
}

TEST(OtherShapes, LoupesHangOnAHandleAndRoundTheirRadiusToEven) {
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawLoupeCircle(10, 40, 70, 40, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 10, 40, 60, 40);
                            c.Ellipse(60, 30, 80, 50);
                          }));
  // L = 15 and 21 over c = 6: radii 2.5 and 3.5 go to 2 and 4.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawLoupeCircle(20, 20, 29, 32, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 20, 20, 27, 30);
                            c.Ellipse(27, 30, 31, 34);
                          }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawLoupeCircle(20, 20, 41, 20, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 20, 20, 37, 20);
                            c.Ellipse(37, 16, 45, 24);
                          }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawLoupeCircle(10, 10, 50, 40, c, 9); },
                          [](TCanvas& c) {
                            Segment(c, 10, 10, 30, 25);
                            c.Ellipse(25, 15, 75, 65);
                          }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawLoupeSquare(10, 40, 70, 40, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 10, 40, 60, 40);
                            c.Polygon({{60, 35}, {70, 35}, {70, 45}, {60, 45}, {60, 35}});
                          }));
  // Diagonal, c = 4: M = (10 + 58·3) div 4 = 46, (5 + 53·3) div 4 = 41; h = 48 div 8, v = 6.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawLoupeSquare(10, 5, 58, 53, c, 7); },
                          [](TCanvas& c) {
                            Segment(c, 10, 5, 46, 41);
                            c.Polygon({{52, 35}, {64, 47}, {52, 59}, {40, 47}, {52, 35}});
                          }));
}

TEST(OtherShapes, CrossEndsAreDisplacedSideways) {
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawCross(10, 40, 100, 40, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 10, 65, 100, 15);
                            Segment(c, 10, 15, 100, 65);
                          }));
  // p·dy div 18 = -35/18 truncates to -1.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawCross(20, 40, 47, 33, c, 5); },
                          [](TCanvas& c) {
                            Segment(c, 21, 47, 46, 26);
                            Segment(c, 19, 33, 48, 40);
                          }));
}

TEST(OtherShapes, DoubleFiguresInsetTheirSecondBoxByOnePth) {
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawDoubleRect(10, 10, 110, 60, c, 5); },
                          [](TCanvas& c) {
                            c.Rectangle(10, 10, 110, 60);
                            c.Rectangle(30, 20, 90, 50);
                          }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawDoubleEllipse(10, 10, 110, 60, c, 5); },
                          [](TCanvas& c) {
                            c.Ellipse(10, 10, 110, 60);
                            c.Ellipse(30, 20, 90, 50);
                          }));
  // From above the picture's corner: (20 - 22) div 3 truncates to 0, so the inner box's left
  // side is on the picture.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawDoubleRect(-11, -4, 20, 30, c, 3); },
                          [](TCanvas& c) {
                            c.Rectangle(-11, -4, 20, 30);
                            c.Rectangle(0, 7, 9, 18);
                          }));
  // p = 2 collapses the inner box to the centre, p = 1 repeats the outer one.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawDoubleRect(10, 10, 50, 40, c, 2); },
                          [](TCanvas& c) { c.Rectangle(10, 10, 50, 40); }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawDoubleEllipse(10, 10, 50, 40, c, 1); },
                          [](TCanvas& c) { c.Ellipse(10, 10, 50, 40); }));
}

TEST(OtherShapes, MenuTagsChooseTheRoutineAndTheParameterIsClamped) {
  using Routine = void (*)(int, int, int, int, TCanvas&, int);
  const Routine byTag[] = {DrawArrow,       DrawDoubleRect, DrawDoubleEllipse, DrawLoupeCircle,
                           DrawLoupeSquare, DrawResistor,   DrawBlockArrow,    DrawCross};
  for (int tag = osArrow; tag <= osCross; ++tag) {
    for (int p : {1, 4, 9}) {
      EXPECT_TRUE(SamePicture([&](TCanvas& c) { DrawOtherShape(tag, 15, 70, 95, 12, c, p); },
                              [&](TCanvas& c) { byTag[tag](15, 70, 95, 12, c, p); }))
          << "tag " << tag << " p " << p;
    }
  }
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawOtherShape(osLoupeCircle, 10, 10, 80, 50, c, 0); },
                          [](TCanvas& c) { DrawLoupeCircle(10, 10, 80, 50, c, 1); }));
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawOtherShape(osCross, 10, 10, 80, 50, c, 15); },
                          [](TCanvas& c) { DrawCross(10, 10, 80, 50, c, 9); }));
  // The resistor takes no parameter.
  EXPECT_TRUE(SamePicture([](TCanvas& c) { DrawOtherShape(osResistor, 10, 10, 80, 50, c, 1); },
                          [](TCanvas& c) { DrawOtherShape(osResistor, 10, 10, 80, 50, c, 9); }));

  for (int tag : {-1, 8, 99}) {
    TBitmap drawn, blank;
    PreparePicture(drawn);
    PreparePicture(blank);
    DrawOtherShape(tag, 10, 10, 80, 50, drawn.Canvas(), 5);
    EXPECT_EQ(PixelPicture(drawn), PixelPicture(blank)) << "tag " << tag;
  }
}

}  // namespace
