#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "draw/zoom_view.h"
#include "surface/canvas.h"

namespace {

// A picture whose neighbouring pixels all differ, so a block shifted by one pixel shows.
void FillDistinct(TBitmap& picture) {
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (IsIndexed(picture.PixelFormat())) picture.SetRaw(x, y, std::uint32_t(x * 3 + y * 7) & RawMask(picture.PixelFormat()));
      else picture.SetPixel(x, y, RGB(std::uint8_t(x * 37), std::uint8_t(y * 59), std::uint8_t((x + y) * 11)));
}

// The colour a picture of the view's format and palette holds for c: as a copied pixel, and as
// the canvas paints it with a brush or pen.
TColor HeldBy(const TBitmap& view, TColor c) { return view.RawToColor(view.ColorToRaw(c)); }
TColor InkOf(const TBitmap& view, TColor c) {
  TBitmap spot(1, 1, view.PixelFormat());
  if (IsIndexed(view.PixelFormat())) spot.SetPalette(view.Palette());
  spot.Canvas().Brush.Color = c;
  spot.Canvas().FillRect(spot.BoundsRect());
  return spot.GetPixel(0, 0);
}

struct ZoomCase {
  TPixelFormat pictureFormat;
  TPixelFormat viewFormat;
  int width, height;
  TPoint centre;
  int z;
};

TEST(ZoomView, EveryViewPixelIsItsPicturePixelsBlockOrBackgroundWithTheCentreOutlined) {
  const ZoomCase cases[] = {
      {pf32bit, pf32bit, 200, 200, {100, 100}, 1},  // the picture at natural size
      {pf32bit, pf32bit, 200, 200, {50, 60}, 2},    // 37 and a half pixels before, 36 and a half after
      {pf32bit, pf32bit, 9, 7, {4, 3}, 25},         // six pixels across: three before, two after
      {pf32bit, pf32bit, 120, 90, {0, 0}, 3},       // only the lower-right quarter shows the picture
      {pf32bit, pf32bit, 120, 90, {500, -40}, 4},   // beyond the picture: background and outline
      {pf24bit, pfDevice, 60, 50, {59, 49}, 7},
      {pf8bit, pf8bit, 70, 70, {5, 66}, 5},         // its own palette, exactly
      {pf4bit, pf4bit, 33, 21, {16, 10}, 2},
      {pf1bit, pf1bit, 40, 40, {20, 20}, 3},
      {pf24bit, pf16bit, 80, 80, {40, 40}, 1},      // another format: the nearest colours
      {pf16bit, pf15bit, 80, 80, {3, 77}, 25},
  };
  for (const ZoomCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << c.pictureFormat << " z " << c.z << " centre "
                                    << c.centre.X << "," << c.centre.Y);
    TBitmap picture(c.width, c.height, c.pictureFormat);
    if (c.pictureFormat == pf8bit) {
      std::vector<TColor> own;
      for (int i = 0; i < 256; ++i) own.push_back(RGB(std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 5)));
      picture.SetPalette(TPalette(own));
    }
    FillDistinct(picture);
    TBitmap view(kZoomViewSide, kZoomViewSide, c.viewFormat);
    view.Canvas().Brush.Color = clRed;  // what came before must not show through
    view.Canvas().FillRect(view.BoundsRect());

    RenderZoomView(picture, c.centre, c.z, view);

    int mismatches = 0;
    for (int vy = 0; vy < kZoomViewSide; ++vy) {
      for (int vx = 0; vx < kZoomViewSide; ++vx) {
        const int px = c.centre.X + int(std::floor(double(vx - 75) / c.z));
        const int py = c.centre.Y + int(std::floor(double(vy - 75) / c.z));
        const bool inBlock = vx >= 75 && vx < 75 + c.z && vy >= 75 && vy < 75 + c.z;
        const bool onOutline = inBlock && (vx == 75 || vy == 75 || vx == 74 + c.z || vy == 74 + c.z);
        TColor expected = InkOf(view, clBtnFace);
        if (onOutline) expected = InkOf(view, clBlack);
        else if (px >= 0 && py >= 0 && px < c.width && py < c.height) expected = HeldBy(view, picture.GetPixel(px, py));
        if (view.GetPixel(vx, vy) != expected && ++mismatches < 5)
          ADD_FAILURE() << "view " << vx << "," << vy << " shows " << std::hex << view.GetPixel(vx, vy) << " not " << expected;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(ZoomView, ViewAndPanelPointsMapToPicturePoints) {
  struct PointCase {
    TPoint viewPoint;
    int z;
    TPoint picturePoint;  // with the centre at (100, 200)
  };
  const PointCase views[] = {
      {{75, 75}, 1, {100, 200}},  {{74, 74}, 1, {99, 199}},   {{74, 74}, 25, {99, 199}},
      {{99, 99}, 25, {100, 200}}, {{100, 75}, 25, {101, 200}}, {{0, 149}, 2, {62, 237}},
      {{0, 0}, 25, {97, 197}},    {{-30, 400}, 4, {73, 281}},
  };
  for (const PointCase& c : views)
    EXPECT_EQ(ZoomViewToPicture(c.viewPoint, TPoint{100, 200}, c.z), c.picturePoint) << c.viewPoint.X << "," << c.z;

  // The panel's side stands for the whole picture, truncating toward zero.
  EXPECT_EQ(PositionPanelToPicture(TPoint{75, 75}, 200, 200), (TPoint{200, 200}));
  EXPECT_EQ(PositionPanelToPicture(TPoint{37, 1}, 9999, 10), (TPoint{4932, 0}));
  EXPECT_EQ(PositionPanelToPicture(TPoint{-1, 80}, 200, 150), (TPoint{-2, 160}));
  EXPECT_EQ(PositionPanelMarker(TPoint{200, 200}, 200, 200), (TPoint{75, 75}));
  EXPECT_EQ(PositionPanelMarker(TPoint{99, -3}, 200, 100), (TPoint{37, -1}));
}

TEST(ZoomView, ThePositionPanelIsARedFrameWithACrossHair) {
  TBitmap panel(kPositionPanelSide, kPositionPanelSide, pfDevice);
  const TPoint markers[] = {{30, 40}, {75, 75}, {-1, 0}};
  for (TPoint m : markers) {
    DrawPositionPanel(panel, m);
    for (int y = 0; y < kPositionPanelSide; ++y)
      for (int x = 0; x < kPositionPanelSide; ++x) {
        const bool red = x == 0 || y == 0 || x == 74 || y == 74 || x == m.X || y == m.Y;
        ASSERT_EQ(panel.GetPixel(x, y), red ? clRed : ColorToRGB(clBtnFace)) << x << "," << y;
      }
  }
}

}  // namespace
