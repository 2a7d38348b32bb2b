// Region mirrors, colour conversion, resize, gradient stripes and partial recovery, on small
// pictures in every pixel format, compared pixel by pixel with what each must leave.
#include <gtest/gtest.h>

#include <functional>

#include "imageops/color_conversion.h"
#include "imageops/picture_resize.h"
#include "imageops/region_gradient.h"
#include "imageops/region_mirror.h"
#include "support/error_message.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/surface_error.h"

namespace {

constexpr TPixelFormat kFormats[] = {pfDevice, pf1bit, pf4bit, pf8bit,
                                     pf15bit,  pf16bit, pf24bit, pf32bit};

// A picture whose pixels tell their places apart: black where (x * 3 + y * 5) % 4 == 0 and
// along row 1, white elsewhere (two colours every format holds exactly).
void FillPattern(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.SetPixel(x, y, (x * 3 + y * 5) % 4 == 0 || y == 1 ? clBlack : clWhite);
}

// Compares every pixel of b with expected(x, y).
void ExpectPixels(const TBitmap& b, const std::function<TColor(int, int)>& expected,
                  const char* what) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      ASSERT_EQ(b.GetPixel(x, y), expected(x, y)) << what << " at " << x << "," << y
                                                  << " format " << b.PixelFormat();
}

bool Inside(const TRect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

TEST(ImageOps, MirrorsReverseOnlyTheRegionInEveryFormat) {
  for (const TRect& region : {TRect{2, 1, 9, 6}, TRect{0, 0, 12, 8}, TRect{3, 2, 4, 7}})
  for (TPixelFormat f : kFormats) {
    TBitmap b(12, 8, f), original(12, 8, f);
    FillPattern(b);
    original.Assign(b);
    MirrorRegionLeftRight(b, region);
    ExpectPixels(b, [&](int x, int y) {
      return original.GetPixel(Inside(region, x, y) ? region.Left + region.Right - 1 - x : x, y);
    }, "left-right");
    MirrorRegionLeftRight(b, region);
    ExpectPixels(b, [&](int x, int y) { return original.GetPixel(x, y); }, "left-right twice");
    MirrorRegionTopBottom(b, region);
    ExpectPixels(b, [&](int x, int y) {
      return original.GetPixel(x, Inside(region, x, y) ? region.Top + region.Bottom - 1 - y : y);
    }, "top-bottom");
    MirrorRegionTopBottom(b, region);
    MirrorRegionLeftRight(b, TRect{4, 0, 5, 8});  // one column wide: nothing moves
    ExpectPixels(b, [&](int x, int y) { return original.GetPixel(x, y); }, "restored");
  }
}

TEST(ImageOps, ColorConversionIncludesTheRightColumnAndBottomRow) {
  const TRect region{1, 1, 4, 3};
  struct Case { TColorRange range; bool blackHit, whiteHit; };
  TColorRange darkOnly;
  darkOnly.high[0] = darkOnly.high[1] = darkOnly.high[2] = 10;
  TColorRange redBlocksWhite;
  redBlocksWhite.high[0] = 254;
  const Case cases[] = {{TColorRange{}, true, true}, {darkOnly, true, false},
                        {redBlocksWhite, true, false}};
  for (TPixelFormat f : kFormats) {
    for (const Case& c : cases) {
      TBitmap b(6, 5, f), original(6, 5, f);
      FillPattern(b);
      original.Assign(b);
      // A target every format holds: white for formats of two colours, else red.
      const TColor target = f == pf1bit ? clWhite : clRed;
      ConvertColorRange(b, region, c.range, target);
      ExpectPixels(b, [&](int x, int y) {
        const TColor was = original.GetPixel(x, y);
        const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 3;
        const bool hit = was == clBlack ? c.blackHit : c.whiteHit;
        return inside && hit ? target : was;
      }, "conversion");
    }
  }
  // Clipped at the picture's edges.
  TBitmap edge(3, 3);
  ConvertColorRange(edge, TRect{1, 1, 3, 3}, TColorRange{}, clBlack);
  EXPECT_EQ(edge.GetPixel(2, 2), clBlack);
  EXPECT_EQ(edge.GetPixel(0, 0), clWhite);
}

TEST(ImageOps, RangePickerMovesTheNearerBound) {
  struct Case { int x, y, row, low, high; };
  const Case cases[] = {
      {64, 5, 0, 0, 128},    // 128 - 0 is not less than 255 - 128: the maximum moves
      {0, 25, 1, 0, 255},    // value 0 moves the minimum, which is 0 already
      {127, 45, 2, 0, 254},  // the last pixel gives 254
      {300, 45, 2, 0, 255},  // beyond the edge: 255
      {20, 70, 3, 0, 255},   // below the bars: no bound changes
  };
  for (const Case& c : cases) {
    TColorRange range;
    ASSERT_EQ(RangeRowAt(c.y), c.row);
    MoveNearerBound(range, RangeRowAt(c.y), RangeValueAt(c.x));
    const int row = c.row < 3 ? c.row : 0;
    EXPECT_EQ(range.low[row], c.low) << c.x << "," << c.y;
    EXPECT_EQ(range.high[row], c.high) << c.x << "," << c.y;
  }
  TColorRange range;
  MoveNearerBound(range, 0, 100);  // nearer the minimum
  MoveNearerBound(range, 0, 200);  // nearer the maximum
  EXPECT_EQ(range.low[0], 100);
  EXPECT_EQ(range.high[0], 200);
}

TEST(ImageOps, ResizeSizesPreviewAndSampling) {
  struct Size { int percent, w, h, nw, nh; };
  const Size sizes[] = {{50, 201, 99, 100, 49}, {100, 200, 200, 200, 200},
                        {1, 50, 50, 1, 1},  // never an empty picture
                        {1000, 9999, 10, 99990, 100}};
  for (const Size& s : sizes) {
    const TPictureSize n = ScaledSize(s.percent, s.w, s.h);
    EXPECT_EQ(n.width, s.nw);
    EXPECT_EQ(n.height, s.nh);
  }
  EXPECT_EQ(ResizePreviewText(200, 200, TPictureSize{100, 100}), "200x200→100x100");

  for (TPixelFormat f : kFormats) {
    TBitmap b(8, 6, f), original(8, 6, f);
    FillPattern(b);
    original.Assign(b);
    ResizePicture(b, ScaledSize(100, 8, 6));
    ExpectPixels(b, [&](int x, int y) { return original.GetPixel(x, y); }, "100 %");
    ResizePicture(b, ScaledSize(200, 8, 6));
    ASSERT_EQ(b.PixelFormat(), f);
    ExpectPixels(b, [&](int x, int y) { return original.GetPixel(x / 2, y / 2); }, "200 %");
    ResizePicture(b, ScaledSize(50, 16, 12));
    ExpectPixels(b, [&](int x, int y) { return original.GetPixel(x, y); }, "back to 100 %");
  }

  TBitmap wide(9999, 1);
  const std::string message = ErrorMessageOf([&] { ResizePicture(wide, ScaledSize(1000, 9999, 1)); });
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(wide.Width(), 9999);
}

TEST(ImageOps, GradientStripesAndPartialRecovery) {
  TBitmap b(5, 6);
  DrawGradientStripes(b, TRect{0, 0, 4, 3}, clBlack, clWhite, pmCopy, TStripes::Horizontal);
  const int greys[] = {0, 85, 170, 255};
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(b.GetPixel(0, y), RGB(greys[y], greys[y], greys[y])) << y;
    EXPECT_EQ(b.GetPixel(3, y), RGB(greys[y], greys[y], greys[y])) << y;
    EXPECT_EQ(b.GetPixel(4, y), clWhite) << "right column stays";
  }
  EXPECT_EQ(b.GetPixel(0, 4), clWhite);

  TBitmap v(6, 3);
  DrawGradientStripes(v, TRect{1, 0, 3, 2}, clRed, clBlue, pmCopy, TStripes::Vertical);
  EXPECT_EQ(v.GetPixel(1, 1), clRed);
  EXPECT_EQ(v.GetPixel(2, 1), BlendColor(clRed, clBlue, 0.5));
  EXPECT_EQ(v.GetPixel(3, 1), clBlue);
  EXPECT_EQ(v.GetPixel(3, 2), clWhite) << "columns stop above the bottom";

  // An inverting mode mixes with the picture: twice over gives it back.
  TBitmap x(4, 4), before(4, 4);
  FillPattern(x);
  before.Assign(x);
  DrawGradientStripes(x, TRect{0, 0, 4, 3}, clRed, clLime, pmNotXor, TStripes::Horizontal);
  EXPECT_NE(x.GetPixel(0, 0), before.GetPixel(0, 0));
  DrawGradientStripes(x, TRect{0, 0, 4, 3}, clRed, clLime, pmNotXor, TStripes::Horizontal);
  ExpectPixels(x, [&](int px, int py) { return before.GetPixel(px, py); }, "xor twice");

  // Recovery copies only the region back from the snapshot.
  TBitmap picture(6, 6, pf24bit), snapshot(6, 6, pf24bit);
  FillPattern(snapshot);
  picture.Canvas().Brush.Color = clRed;
  picture.Canvas().FillRect(picture.BoundsRect());
  RecoverRegion(picture, snapshot, TRect{1, 2, 4, 7});
  ExpectPixels(picture, [&](int px, int py) {
    return Inside(TRect{1, 2, 4, 6}, px, py) ? snapshot.GetPixel(px, py) : clRed;
  }, "recovery");
}
