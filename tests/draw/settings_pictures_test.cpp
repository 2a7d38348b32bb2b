#include "draw/settings_pictures.h"

#include <gtest/gtest.h>

#include "surface/canvas.h"

namespace {

constexpr TColor kNavy = RGB(0, 0, 128);
constexpr TColor kFaceColor = RGB(250, 250, 250);

// A mouse picture like the resource: in each 50x50 frame two faces (x 10..24 and 26..39,
// y 5..29) inside a black outline; frame 1 marks itself with a green pixel at (5, 45).
void makeMouse(TBitmap& mouse) {
  mouse.SetSize(100, 50);
  TCanvas& c = mouse.Canvas();
  for (int frame = 0; frame < 2; ++frame) {
    const int dx = 50 * frame;
    c.Brush.Color = clSilver;
    c.FillRect(Rect(dx, 0, dx + 50, 50));
    c.Brush.Color = clBlack;
    c.FillRect(Rect(dx + 9, 4, dx + 41, 31));
    c.Brush.Color = kFaceColor;
    c.FillRect(Rect(dx + 10, 5, dx + 25, 30));
    c.FillRect(Rect(dx + 26, 5, dx + 40, 30));
  }
  mouse.SetPixel(55, 45, clLime);
}

TEST(SettingsPictures, ColorGridHasSixteenEightPixelSamples) {
  TBitmap grid(kColorGridWidth, kColorGridHeight, pfDevice);
  PaintColorGrid(grid);
  for (int i = 0; i < 16; ++i)
    for (int x : {8 * i, 8 * i + 7}) {
      EXPECT_EQ(grid.GetPixel(x, 0), kColorSamples[i]) << "x " << x;
      EXPECT_EQ(grid.GetPixel(x, 11), kColorSamples[i]) << "x " << x;
    }
  EXPECT_EQ(grid.GetPixel(72, 5), RGB(255, 0, 0));
}

TEST(SettingsPictures, RGBBarsAreHalfTheValueLongOnPaleRows) {
  TBitmap bars(kRGBImageWidth, kRGBImageHeight, pfDevice);
  DrawRGBBars(bars, 200, 1, 255);
  EXPECT_EQ(bars.GetPixel(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(bars.GetPixel(99, 15), RGB(200, 0, 0));
  EXPECT_EQ(bars.GetPixel(100, 0), RGB(255, 220, 220));
  EXPECT_EQ(bars.GetPixel(0, 16), RGB(220, 255, 220));  // 1 div 2 is no bar at all
  EXPECT_EQ(bars.GetPixel(126, 47), RGB(0, 0, 255));     // 127 pixels: the whole row
  DrawRGBBars(bars, 0, 0, 0);
  EXPECT_EQ(bars.GetPixel(0, 0), RGB(255, 220, 220));
  EXPECT_EQ(bars.GetPixel(126, 47), RGB(220, 220, 255));
}

TEST(SettingsPictures, PenShapeShowsTheSlotsFrameWithFacesInTheColours) {
  TBitmap mouse, shape(kPenShapeSide, kPenShapeSide, pfDevice);
  makeMouse(mouse);
  DrawPenShape(shape, mouse, 0, clRed, clBlue);
  EXPECT_EQ(shape.GetPixel(10, 5), clRed);
  EXPECT_EQ(shape.GetPixel(24, 29), clRed);
  EXPECT_EQ(shape.GetPixel(26, 5), clBlue);
  EXPECT_EQ(shape.GetPixel(25, 20), clBlack);
  EXPECT_EQ(shape.GetPixel(5, 45), clSilver);

  DrawPenShape(shape, mouse, 1, clLime, clWhite);
  EXPECT_EQ(shape.GetPixel(5, 45), clLime);  // the second frame
  EXPECT_EQ(shape.GetPixel(20, 20), clLime);
  EXPECT_EQ(shape.GetPixel(30, 20), clWhite);

  // Slot 2 keeps the picture and refills the faces from the colour found at the seeds.
  DrawPenShape(shape, mouse, 2, clBlack, clRed);
  EXPECT_EQ(shape.GetPixel(5, 45), clLime);
  EXPECT_EQ(shape.GetPixel(12, 7), clBlack);
  EXPECT_EQ(shape.GetPixel(35, 25), clRed);
}

TEST(SettingsPictures, PenWidthLineIsRedrawnOverTheRuler) {
  TBitmap ruler(kPenImageWidth, kPenImageHeight, pf1bit), pen(kPenImageWidth, kPenImageHeight, pfDevice);
  ruler.SetPixel(3, 0, clBlack);
  ruler.SetPixel(40, 0, clBlack);
  DrawPenWidth(pen, ruler, 10);
  EXPECT_EQ(pen.GetPixel(4, 9), kNavy);  // not-xor of navy over white is navy
  EXPECT_EQ(pen.GetPixel(3, 0), TColor(~kNavy & 0xFFFFFF));  // and over black its inverse
  EXPECT_EQ(pen.GetPixel(15, 9), clWhite);
  EXPECT_EQ(pen.GetPixel(40, 0), clBlack);
  DrawPenWidth(pen, ruler, 1);
  EXPECT_EQ(pen.GetPixel(0, 9), kNavy);
  EXPECT_EQ(pen.GetPixel(4, 9), clWhite);  // no trace of the wider line
  EXPECT_EQ(pen.GetPixel(3, 0), clBlack);
}

TEST(SettingsPictures, FontSizeShowsASampleAndAHalfSizeBar) {
  TBitmap picture(kPenImageWidth, kPenImageHeight, pfDevice);
  DrawFontSize(picture, 20, 96);
  EXPECT_EQ(picture.GetPixel(3, 3), kNavy);
  EXPECT_EQ(picture.GetPixel(10, 5), clBlack);  // the bar's outline, pen black not-xor on white
  EXPECT_EQ(picture.GetPixel(11, 5), clWhite);
  EXPECT_EQ(picture.GetPixel(47, 3), clWhite);
  int ink = 0;
  for (int y = 0; y < kPenImageHeight; ++y)
    for (int x = 12; x < 40; ++x) ink += picture.GetPixel(x, y) == clBlack;
  EXPECT_GT(ink, 10) << "the sample A";
  DrawFontSize(picture, 4, 96);
  EXPECT_EQ(picture.GetPixel(3, 3), clWhite);
  EXPECT_EQ(picture.GetPixel(1, 3), kNavy);
}

TEST(SettingsPictures, FillSettingSquareAndPenModeCross) {
  TBitmap pattern(8, 8), square(kModeImageSide, kModeImageSide, pfDevice);
  pattern.Canvas().Brush.Color = clLime;
  pattern.Canvas().FillRect(Rect(0, 0, 8, 8));
  DrawFillSetting(square, 0, pattern);
  EXPECT_EQ(square.GetPixel(0, 0), clBlack);
  EXPECT_EQ(square.GetPixel(24, 24), clBlack);
  EXPECT_EQ(square.GetPixel(12, 12), clWhite);
  DrawFillSetting(square, 1, pattern);
  EXPECT_EQ(square.GetPixel(12, 12), kNavy);
  DrawFillSetting(square, 8, pattern);
  EXPECT_EQ(square.GetPixel(12, 12), clLime);
  DrawFillSetting(square, 3, pattern);  // vertical hatch: navy lines on white
  EXPECT_EQ(square.GetPixel(12, 12), kNavy);
  EXPECT_EQ(square.GetPixel(13, 12), clWhite);

  TBitmap mode(kModeImageSide, kModeImageSide, pfDevice);
  const TColor crossing[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 0, 255), RGB(0, 0, 0)};
  for (int m = 0; m < 4; ++m) {
    DrawPenMode(mode, m);
    EXPECT_EQ(mode.GetPixel(12, 12), crossing[m]) << "mode " << m;
    EXPECT_EQ(mode.GetPixel(3, 12), RGB(0, 0, 255));
    EXPECT_EQ(mode.GetPixel(3, 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(mode.Canvas().Pen.Mode, pmCopy);
  }
}

}  // namespace
