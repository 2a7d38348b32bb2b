// The area fill, the spray, the rotated paste and the region commands, on bitmaps without a
// display.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "draw/point_figures.h"
#include "draw/program_random.h"
#include "draw/region_commands.h"
#include "draw/rotated_paste.h"
#include "surface/canvas.h"

namespace {

// A white picture with a black 1-px frame around (20, 20)-(60, 60).
std::unique_ptr<TBitmap> FramedPicture() {
  auto b = std::make_unique<TBitmap>(80, 80);
  TCanvas& c = b->Canvas();
  c.Brush.Style = bsClear;
  c.Rectangle(20, 20, 60, 60);
  return b;
}

TEST(AreaFill, FillsTheClickedAreaWithTheSettingsBrushInThePenColour) {
  TBitmap pattern(8, 8);
  pattern.Canvas().Brush.Color = RGB(0, 0, 255);
  pattern.Canvas().FillRect(TRect{0, 0, 8, 4});  // blue top half, white bottom half
  struct Case {
    int fill;
    TColor row32, row35, row36;  // at x = 30; rows 32..39 are one 8-row cell of the brush
  };
  const TColor red = RGB(255, 0, 0);
  const Case cases[] = {
      {0, red, red, red},                            // "no fill" still fills solidly
      {1, red, red, red},
      {2, clWhite, red, clWhite},                    // horizontal hatch on the cell's fourth row
      {8, RGB(0, 0, 255), RGB(0, 0, 255), clWhite},  // the pattern keeps its own colours
  };
  for (const Case& k : cases) {
    auto b = FramedPicture();
    TCanvas& c = b->Canvas();
    c.Pen.Color = red;
    AreaFill(c, TPoint{30, 30}, k.fill, pattern);
    SCOPED_TRACE(k.fill);
    EXPECT_EQ(b->GetPixel(30, 32), k.row32);
    EXPECT_EQ(b->GetPixel(30, 35), k.row35);
    EXPECT_EQ(b->GetPixel(30, 36), k.row36);
    EXPECT_EQ(b->GetPixel(20, 30), clBlack) << "the frame stays";
    EXPECT_EQ(b->GetPixel(10, 10), clWhite) << "outside the frame stays";
  }
}

TEST(Spray, DotsFallInTheSquareAroundThePointAndRepeatFromTheSameState) {
  for (const int width : {1, 5, 50}) {
    std::set<std::pair<int, int>> first;
    for (int run = 0; run < 2; ++run) {
      SetRandomState(0);
      TBitmap b(200, 200);
      b.Canvas().Pen.Color = clBlack;
      for (int i = 0; i < 40; ++i) SprayDots(b.Canvas(), TPoint{100, 100}, width);
      std::set<std::pair<int, int>> dots;
      for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
          if (b.GetPixel(x, y) == clBlack) dots.insert({x, y});
      for (const auto& [x, y] : dots) {
        EXPECT_GE(x, 100 - width);
        EXPECT_LT(x, 100 + width);
        EXPECT_GE(y, 100 - width);
        EXPECT_LT(y, 100 + width);
      }
      if (run == 0) first = dots;
      else EXPECT_EQ(dots, first) << "width " << width;
      EXPECT_EQ(RandomState() != 0, true);
    }
  }
  // From the program's first state, pen width 5: the three dots of a click at (100, 100),
  // each (vertical offset first) from the generator's first six numbers.
  SetRandomState(0);
  TBitmap b(200, 200);
  b.Canvas().Pen.Color = clBlack;
  SprayDots(b.Canvas(), TPoint{100, 100}, 5);
  SetRandomState(0);
  for (int i = 0; i < 3; ++i) {
    const int a = Random(10), h = Random(10);
    EXPECT_EQ(b.GetPixel(100 + h - 5, 100 + a - 5), clBlack);
  }
}

// A w x h buffer whose pixel (x, y) has a colour that names it.
std::unique_ptr<TBitmap> NamedPixels(int w, int h) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, RGB(x + 1, y + 1, 128));
  return b;
}

TEST(RotatedPaste, BoundsAndSamplingFollowTheDirection) {
  struct Case {
    int theta;
    TRotatedBounds bounds;
  };
  // w = 11, h = 6: A = 10 cos, B = 5 sin, K = 5 cos, D = 10 sin.
  const Case cases[] = {
      {0, {0, 10, 0, 5}},   {90, {0, 5, -10, 0}},   {180, {-10, 0, -5, 0}},
      {270, {-5, 0, 0, 10}}, {360, {0, 10, 0, 5}},  {37, {0, 11, -6, 4}},
  };
  for (const Case& k : cases) {
    const TRotatedBounds b = RotatedBounds(k.theta, 11, 6);
    SCOPED_TRACE(k.theta);
    EXPECT_EQ(b.left, k.bounds.left);
    EXPECT_EQ(b.right, k.bounds.right);
    EXPECT_EQ(b.top, k.bounds.top);
    EXPECT_EQ(b.bottom, k.bounds.bottom);
  }
  auto buffer = NamedPixels(11, 6);
  struct Landing {
    TPoint from, to;  // a buffer pixel and where it lands on the canvas
  };
  struct Paste {
    TPoint q;
    Landing landings[3];
  };
  const Paste pastes[] = {
      // Straight right: unrotated, corner at s.
      {{90, 40}, {{{0, 0}, {40, 40}}, {{9, 0}, {49, 40}}, {{0, 4}, {40, 44}}}},
      // Just below the axis the angle is 360: the same.
      {{90, 41}, {{{0, 0}, {40, 40}}, {{9, 0}, {49, 40}}, {{0, 4}, {40, 44}}}},
      // Straight up: the top edge runs upward from s, the left edge to the right.
      {{40, 0}, {{{1, 0}, {40, 39}}, {{10, 0}, {40, 30}}, {{1, 4}, {44, 39}}}},
  };
  for (const Paste& p : pastes) {
    TBitmap canvas(100, 100);
    canvas.Canvas().CopyMode = cmSrcCopy;
    RotatedPaste(canvas.Canvas(), *buffer, TPoint{40, 40}, p.q, clWhite);
    SCOPED_TRACE(p.q.Y);
    for (const Landing& l : p.landings)
      EXPECT_EQ(canvas.GetPixel(l.to.X, l.to.Y), buffer->GetPixel(l.from.X, l.from.Y)) << l.to.X << "," << l.to.Y;
  }
  // Unrotated, the last column and row are left out (R is w-1 by h-1).
  TBitmap canvas(100, 100);
  RotatedPaste(canvas.Canvas(), *buffer, TPoint{40, 40}, TPoint{90, 40}, clWhite);
  EXPECT_EQ(canvas.GetPixel(50, 40), clWhite);
  EXPECT_EQ(canvas.GetPixel(40, 45), clWhite);
  // At 45 degrees the wedges take the right colour and are left out: the canvas keeps its
  // colour at the bounds' corners.
  TBitmap turned;
  TRotatedBounds at;
  RotatePicture(*buffer, 45, pf32bit, RGB(9, 9, 9), turned, at);
  EXPECT_EQ(turned.GetPixel(0, 0), RGB(9, 9, 9));
  EXPECT_EQ(turned.GetPixel(turned.Width() - 1, turned.Height() - 1), RGB(9, 9, 9));
  EXPECT_EQ(turned.GetPixel(-at.left, -at.top), RGB(1, 1, 128)) << "the corner stays at s";
}

TEST(RegionCommands, RegionCopyWhitenAndBrush) {
  EXPECT_EQ(RegionBetween(TPoint{50, 40}, TPoint{10, 20}), (TRect{10, 20, 50, 40}));
  EXPECT_TRUE(RegionBetween(TPoint{5, 5}, TPoint{5, 9}).IsEmpty());

  auto picture = NamedPixels(30, 20);
  TBitmap buffer;
  CopyRegion(*picture, TRect{25, 15, 35, 25}, buffer);  // reaches past the picture
  ASSERT_EQ(buffer.Width(), 10);
  ASSERT_EQ(buffer.Height(), 10);
  EXPECT_EQ(buffer.GetPixel(0, 0), RGB(26, 16, 128));
  EXPECT_EQ(buffer.GetPixel(9, 9), clWhite);

  WhitenRegion(*picture, TRect{2, 3, 4, 5});
  EXPECT_EQ(picture->GetPixel(3, 4), clWhite);
  EXPECT_EQ(picture->GetPixel(4, 4), RGB(5, 5, 128));
  EXPECT_EQ(picture->Canvas().CopyMode, cmSrcCopy);

  // A 16 x 16 region of 2 x 2 checks becomes the 8 x 8 pattern of 1 x 1 checks.
  TBitmap checks(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) checks.SetPixel(x, y, ((x / 2 + y / 2) % 2) ? clBlack : clWhite);
  TBitmap pattern(8, 8);
  LoadBrushPattern(checks, TRect{0, 0, 16, 16}, pattern);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(pattern.GetPixel(x, y), ((x + y) % 2) ? clBlack : clWhite);
}

TEST(RegionCommands, TextBecomesAPictureOfItsOwnSize) {
  TBitmap buffer;
  TFont font;
  font.Color = clBlack;
  RenderTextBuffer("ABC", font, buffer);
  ASSERT_GT(buffer.Width(), 5);
  ASSERT_GT(buffer.Height(), 5);
  int ink = 0;
  for (int y = 0; y < buffer.Height(); ++y)
    for (int x = 0; x < buffer.Width(); ++x) {
      const TColor c = buffer.GetPixel(x, y);
      EXPECT_TRUE(c == clWhite || c == clBlack);
      ink += c == clBlack;
    }
  EXPECT_GT(ink, 20);
}

}  // namespace

namespace {

// Text of several lines becomes one picture with a line under the other, each as it would be
// alone, one font height apart; the widest line gives the width.
TEST(RegionCommands, TextOfSeveralLinesBecomesAPictureOfSeveralLines) {
  TFont font;
  font.Color = clBlack;
  font.Height = -12;
  TBitmap ab, wide, lines;
  RenderTextBuffer("AB", font, ab);
  RenderTextBuffer("CDEFG", font, wide);
  for (const char* text : {"AB\nCDEFG\nAB", "AB\r\nCDEFG\r\nAB"}) {
    RenderTextBuffer(text, font, lines);
    ASSERT_EQ(lines.Width(), wide.Width()) << text;
    ASSERT_EQ(lines.Height(), 2 * 12 + ab.Height()) << text;
    for (int y = 0; y < lines.Height(); ++y)
      for (int x = 0; x < lines.Width(); ++x) {
        const int line = std::min(y / 12, 2);
        const TBitmap& alone = line == 1 ? wide : ab;
        const int ay = y - 12 * line;
        // Below a line's own cell lies the next line's; the last keeps white beyond its width.
        if (ay >= alone.Height() || x >= alone.Width()) continue;
        ASSERT_EQ(lines.GetPixel(x, y), alone.GetPixel(x, ay)) << text << " at " << x << "," << y;
      }
  }
}

}  // namespace
