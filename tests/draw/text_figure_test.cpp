// The text figures on a picture: where each line of the memo lands at 0 and 90 degrees and
// along a drag, the background by the fill setting, and an empty memo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/text_figure.h"
#include "surface/bitmap.h"

namespace {

constexpr TColor kPaper = clWhite;
constexpr TColor kInk = clBlack;
constexpr TColor kBack = clRed;

// A 200 x 200 picture with a canvas as a left-button stroke leaves it: the size-9 text font at
// the given angle (12 pixels high at 96 pixels per inch), black ink on a red brush.
struct Picture {
  TBitmap bitmap{200, 200, pf32bit};
  explicit Picture(int angle) {
    TCanvas& c = bitmap.Canvas();
    c.Brush.Color = kPaper;
    c.FillRect(bitmap.BoundsRect());
    MakeTextFont(c, TTextFontSettings{}, angle);
    c.Font.Color = kInk;
    c.Brush.Color = kBack;
  }
};

TTextFigure memo(std::vector<std::string> lines, int escapement = 0, int fill = 0) {
  TTextFigure t;
  t.lines = std::move(lines);
  t.escapement = escapement;
  t.fillSetting = fill;
  return t;
}

int differing(const TBitmap& a, const TBitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
  return n;
}

int count(const TBitmap& b, TColor c, const TRect& in) {
  int n = 0;
  for (int y = in.Top; y < in.Bottom; ++y)
    for (int x = in.Left; x < in.Right; ++x) n += b.GetPixel(x, y) == c;
  return n;
}

struct Placement {
  const char* what;
  bool angled;         // the angled text from s to e, else the text tool at e
  int angle;           // the angle the lines are written at
  TPoint s, e;
  TPoint first, second;  // where "AB" and "CD" are written
};

TEST(TextFigure, EachLineLandsOneFontHeightAcrossTheWritingDirection) {
  const Placement cases[] = {
      {"level text", false, 0, {0, 0}, {10, 10}, {10, 10}, {10, 22}},
      {"upward text", false, 90, {0, 0}, {10, 10}, {10, 10}, {22, 10}},
      {"downward text", false, -90, {0, 0}, {100, 50}, {100, 50}, {88, 50}},
      // 45 degrees: the next line lies 12 * sin 45 = 8.49 pixels right and down.
      {"a drag up and right", true, 45, {0, 100}, {100, 0}, {0, 100}, {8, 108}},
      {"a drag straight left", true, 180, {150, 60}, {20, 60}, {150, 60}, {150, 48}},
  };
  for (const Placement& c : cases) {
    Picture got(c.angled ? 0 : c.angle);
    const TTextFigure text = memo({"AB", "CD"}, c.angled ? 0 : c.angle);
    if (c.angled) AngledTextFigure(got.bitmap.Canvas(), c.s, c.e, text);
    else TextFigure(got.bitmap.Canvas(), c.e, text);

    Picture expected(c.angle);
    expected.bitmap.Canvas().Brush.Style = bsClear;
    expected.bitmap.Canvas().TextOut(c.first.X, c.first.Y, "AB");
    expected.bitmap.Canvas().TextOut(c.second.X, c.second.Y, "CD");
    EXPECT_GT(count(expected.bitmap, kInk, expected.bitmap.BoundsRect()), 20) << c.what;
    EXPECT_EQ(differing(got.bitmap, expected.bitmap), 0) << c.what;
  }
}

TEST(TextFigure, AFortyFiveDegreeDragRisesToTheRightFromItsStart) {
  Picture got(0);
  AngledTextFigure(got.bitmap.Canvas(), TPoint{0, 100}, TPoint{100, 0}, memo({"ABCDEF"}));
  // The ink starts at the press point and climbs as it goes right: none left of it or far
  // below it, and the right half of the ink lies higher than the left half.
  long long leftY = 0, rightY = 0, left = 0, right = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      if (got.bitmap.GetPixel(x, y) != kInk) continue;
      EXPECT_LT(y, 100 + 17) << x << "," << y;
      EXPECT_GE(x, 0);
      if (x < 12) leftY += y, ++left;
      else if (x >= 24) rightY += y, ++right;
    }
  ASSERT_GT(left, 0);
  ASSERT_GT(right, 0);
  EXPECT_LT(rightY / right + 10, leftY / left);
  EXPECT_EQ(got.bitmap.Canvas().Font.Escapement, 450);  // the canvas font keeps the angle
}

TEST(TextFigure, FillSettingsGiveAClearOrOpaqueBackgroundAndAnEmptyMemoWritesNothing) {
  Picture reference(0);
  const int width = reference.bitmap.Canvas().TextWidth("AB");
  const int height = reference.bitmap.Canvas().TextHeight("AB");
  const TRect cell{10, 10, 10 + width, 10 + height};
  struct Case {
    int fill;
    std::vector<std::string> lines;
    int backPixels;  // of the cell of "AB" at (10, 10); -1: the whole cell but the ink
    bool unchanged;
  };
  const Case cases[] = {
      {0, {"AB"}, 0, false},
      {1, {"AB"}, -1, false},
      {5, {"AB"}, -1, false},  // a hatch is an opaque background too
      {8, {"AB"}, -1, false},
      {0, {}, 0, true},
      {5, {""}, 0, true},
  };
  for (const Case& c : cases) {
    for (bool angled : {false, true}) {
      Picture got(0);
      const TTextFigure text = memo(c.lines, 0, c.fill);
      if (angled) AngledTextFigure(got.bitmap.Canvas(), TPoint{10, 10}, TPoint{60, 10}, text);
      else TextFigure(got.bitmap.Canvas(), TPoint{10, 10}, text);
      const int ink = count(got.bitmap, kInk, cell);
      const int back = count(got.bitmap, kBack, cell);
      const std::string what = "fill " + std::to_string(c.fill) + (angled ? " angled" : "");
      if (c.backPixels < 0) EXPECT_EQ(back, width * height - ink) << what;
      else EXPECT_EQ(back, c.backPixels) << what;
      EXPECT_EQ(count(got.bitmap, kPaper, got.bitmap.BoundsRect()) == 200 * 200, c.unchanged) << what;
    }
  }
}

}  // namespace
