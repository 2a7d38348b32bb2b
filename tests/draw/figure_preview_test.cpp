// Previews and pastes of the figure renderer: a preview drawn twice leaves no trace, and the
// paste figures take the copy mode of the stroke's pen mode.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "draw/figure_renderer.h"
#include "surface/bitmap.h"

namespace {

std::vector<std::uint8_t> Bytes(const TBitmap& b) { return {b.Bits(), b.Bits() + b.ByteSize()}; }

void Scribble(TBitmap& b, std::mt19937& rng) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, TColor(rng() & 0xFFFFFF));
}

// Pen and brush as a stroke may leave them: any width 1..4, solid, hatched or clear brush.
void RandomTools(TCanvas& c, std::mt19937& rng) {
  static constexpr TBrushStyle kBrushes[] = {bsSolid, bsClear, bsCross, bsFDiagonal};
  c.Pen = TPen{TColor(rng() & 0xFFFFFF), int(1 + rng() % 4), psSolid, pmCopy};
  c.Brush.Color = TColor(rng() & 0xFFFFFF);
  c.Brush.Style = kBrushes[rng() % 4];
}

TEST(FigurePreview, EveryFigureDrawnTwiceWithNotLeavesNoTrace) {
  std::mt19937 rng(2026);
  TBitmap paste(9, 6);
  Scribble(paste, rng);
  const int figures[] = {1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14, 15, 16};
  for (TPixelFormat format : {pf32bit, pf24bit, pf16bit, pf8bit, pf1bit}) {
    for (int figure : figures) {
      int changed = 0;
      for (int trial = 0; trial < 16; ++trial) {
        TBitmap pic(48, 40, format);
        Scribble(pic, rng);
        const std::vector<std::uint8_t> before = Bytes(pic);
        TCanvas& c = pic.Canvas();
        RandomTools(c, rng);
        std::uniform_int_distribution<int> coord(-15, 63);
        const TPoint s{coord(rng), coord(rng)}, e{coord(rng), coord(rng)};
        TFigureChoice choice;
        choice.figure = figure;
        choice.polygonCorners = int(3 + rng() % 8);
        choice.otherShape = int(rng() % 8);
        choice.otherShapeParam = int(1 + rng() % 9);
        choice.penModePosition = 1;  // pastes mix by XOR, so they too vanish when repeated
        choice.pasteBuffer = &paste;

        TFigurePoints first{s, s}, second{s, s};
        RenderFigure(first, e, c, pmNot, choice);
        changed += Bytes(pic) != before;
        RenderFigure(second, e, c, pmNot, choice);
        ASSERT_TRUE(Bytes(pic) == before) << "figure " << figure << " format " << format << " trial " << trial
                                          << " from " << s.X << "," << s.Y << " to " << e.X << "," << e.Y;
      }
      EXPECT_GT(changed, 0) << "figure " << figure << " format " << format;
    }
  }
}

// A 3 x 2 buffer: red, green, white / blue, white, black, with white transparent.
void FillPasteBuffer(TBitmap& paste) {
  paste.SetSize(3, 2);
  const TColor colors[2][3] = {{clRed, clLime, clWhite}, {clBlue, clWhite, clBlack}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) paste.SetPixel(x, y, colors[y][x]);
  paste.TransparentColor = clWhite;
}

TEST(FigurePreview, PastesTakeTheCopyModeOfThePenMode) {
  TBitmap paste;
  FillPasteBuffer(paste);
  TBitmap pic(10, 8);
  TCanvas& c = pic.Canvas();
  const TColor ground = RGB(0x10, 0x20, 0x40);
  c.Brush.Color = ground;
  c.FillRect(pic.BoundsRect());
  TFigureChoice choice;
  choice.figure = 13;
  choice.pasteBuffer = &paste;

  // Plain copy: top-left at E, white pixels transparent.
  TFigurePoints points{{0, 0}, {0, 0}};
  RenderFigure(points, {4, 3}, c, pmNot, choice);
  EXPECT_TRUE(paste.Transparent);
  EXPECT_EQ(pic.GetPixel(4, 3), clRed);
  EXPECT_EQ(pic.GetPixel(5, 3), clLime);
  EXPECT_EQ(pic.GetPixel(6, 3), ground);
  EXPECT_EQ(pic.GetPixel(4, 4), clBlue);
  EXPECT_EQ(pic.GetPixel(5, 4), ground);
  EXPECT_EQ(pic.GetPixel(6, 4), clBlack);
  EXPECT_EQ(pic.GetPixel(3, 3), ground);
  EXPECT_EQ(pic.GetPixel(4, 5), ground);

  // Merge: OR with the picture, white included (no transparency). Partly above the picture.
  choice.figure = 14;
  choice.penModePosition = 2;
  RenderFigure(points, {0, -1}, c, pmCopy, choice);
  EXPECT_FALSE(paste.Transparent);
  EXPECT_EQ(pic.GetPixel(0, 0), RGB(0x10, 0x20, 0xFF));
  EXPECT_EQ(pic.GetPixel(1, 0), clWhite);
  EXPECT_EQ(pic.GetPixel(2, 0), ground);
  EXPECT_EQ(pic.GetPixel(0, 1), ground);

  // Without a paste buffer nothing is pasted and the copy mode stays.
  TBitmap before(10, 8);
  before.Assign(pic);
  choice.pasteBuffer = nullptr;
  c.CopyMode = cmSrcCopy;
  RenderFigure(points, {1, 1}, c, pmCopy, choice);
  EXPECT_EQ(c.CopyMode, cmSrcCopy);
  EXPECT_TRUE(Bytes(pic) == Bytes(before));
}

TEST(FigurePreview, StretchedPasteFillsTheDraggedRectangleMirrored) {
  TBitmap paste(2, 1);
  paste.SetPixel(0, 0, clRed);
  paste.SetPixel(1, 0, clBlue);
  TBitmap pic(24, 8);
  TCanvas& c = pic.Canvas();
  c.Brush.Color = clWhite;
  c.FillRect(pic.BoundsRect());
  TFigureChoice choice;
  choice.figure = 15;
  choice.pasteBuffer = &paste;
  // Dragged from bottom-right to top-left: the reversed rectangle mirrors the buffer and
  // covers E.x+1..S.x, E.y+1..S.y, the red half on S's side.
  TFigurePoints points{{20, 5}, {20, 5}};
  RenderFigure(points, {0, 0}, c, pmCopy, choice);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool inside = x >= 1 && x <= 20 && y >= 1 && y <= 5;
      const TColor want = !inside ? clWhite : x >= 11 ? clRed : clBlue;
      ASSERT_EQ(pic.GetPixel(x, y), want) << x << "," << y;
    }
}

}  // namespace
