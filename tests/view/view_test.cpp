#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "view/view_mipmaps.h"
#include "view/view_render.h"
#include "view/view_scale.h"

namespace {

const TRatio kDeviceRatios[] = {{1, 1}, {5, 4}, {3, 2}, {2, 1}, {3, 1}};

// Every device pixel maps to the picture pixel whose blocks it lies in, at every level and
// device pixel ratio; blocks are whole and in order, and at a whole scale every one is exactly
// that many device pixels wide.
TEST(ViewScale, EveryDevicePixelShowsThePicturePixelItMapsTo) {
  for (const TRatio& device : kDeviceRatios)
    for (int level = 0; level < int(kZoomLevels.size()); ++level) {
      const TViewScale scale(kZoomLevels[level], device);
      for (std::int64_t p = -40; p < 40; ++p) {
        const std::int64_t from = scale.DeviceOf(p), to = scale.DeviceOf(p + 1);
        ASSERT_LE(from, to) << level;
        for (std::int64_t k = from; k < to; ++k) ASSERT_EQ(scale.PictureOf(k), p) << level << " " << k;
        if (scale.Whole()) {
          ASSERT_EQ(to - from, scale.PerPicturePixel().num) << level;
        }
      }
      // Reduced, each device pixel's picture pixel moves on by the reduction, floored.
      for (std::int64_t k = -30; k < 30; ++k) {
        const TRatio s = scale.PerPicturePixel();
        ASSERT_EQ(scale.PictureOf(k), FloorDiv(k * s.den, s.num));
      }
    }
}

TEST(ViewScale, PointerPositionsOnTheirPicturePixels) {
  struct Row {
    TRatio zoom, device;
    std::int64_t k, picture;
  };
  const Row rows[] = {
      {{1, 1}, {1, 1}, 7, 7},    {{1, 1}, {2, 1}, 1, 0},    {{1, 1}, {2, 1}, 2, 1},   {{1, 1}, {2, 1}, -1, -1},
      {{1, 1}, {3, 2}, 1, 0},    {{1, 1}, {3, 2}, 2, 1},    {{1, 1}, {3, 2}, 3, 2},   {{1, 1}, {3, 2}, 4, 2},
      {{3, 1}, {3, 2}, 4, 0},    {{3, 1}, {3, 2}, 5, 1},    {{1, 3}, {1, 1}, 5, 15},  {{1, 3}, {1, 1}, -1, -3},
      {{2, 3}, {3, 2}, 9, 9},    {{1, 2}, {2, 1}, 9, 9},    {{1, 16}, {1, 1}, 2, 32}, {{32, 1}, {1, 1}, 31, 0},
      {{32, 1}, {1, 1}, 32, 1},  {{8, 1}, {2, 1}, -1, -1},  {{2, 3}, {1, 1}, 1, 1},   {{2, 3}, {1, 1}, 2, 3},
  };
  for (const Row& r : rows) EXPECT_EQ(TViewScale(r.zoom, r.device).PictureOf(r.k), r.picture) << r.zoom.num << "/" << r.zoom.den << " k " << r.k;
}

TEST(ViewScale, StepsFitAndPercentages) {
  EXPECT_EQ(ZoomLevelStepped(kZoomOne, 1), kZoomOne + 1);
  EXPECT_EQ(ZoomLevelStepped(0, -1), 0);
  EXPECT_EQ(ZoomLevelStepped(15, 3), 15);
  // 200 x 200 with 80 pixels of margins in 500 x 400: 3/2 would need 380, 1 fits, 2 does not.
  EXPECT_EQ(kZoomLevels[FitZoomLevel(200, 200, 80, 500, 400)], (TRatio{1, 1}));
  EXPECT_EQ(kZoomLevels[FitZoomLevel(9999, 9999, 80, 1000, 700)], (TRatio{1, 16}));
  EXPECT_EQ(kZoomLevels[FitZoomLevel(4000, 3000, 80, 1100, 900)], (TRatio{1, 4}));
  EXPECT_EQ(kZoomLevels[FitZoomLevel(10, 10, 80, 1000, 700)], (TRatio{32, 1}));
  EXPECT_EQ(kZoomLevels[FitZoomLevel(20000, 10, 80, 1000, 700)], (TRatio{1, 16}));  // none fits
  const char* texts[] = {"6.25%", "12.5%", "25%", "33.33%", "50%", "66.67%", "100%", "200%",
                         "300%",  "400%",  "600%", "800%",  "1200%", "1600%", "2400%", "3200%"};
  for (int level = 0; level < int(kZoomLevels.size()); ++level) EXPECT_EQ(ZoomPercentText(level), texts[level]);
  EXPECT_EQ(DeviceRatioOf(1.5), (TRatio{3, 2}));
  EXPECT_EQ(DeviceRatioOf(1.25), (TRatio{5, 4}));
  EXPECT_EQ(DeviceRatioOf(2.0), (TRatio{2, 1}));
}

std::uint32_t Screen(TColor c) { return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

std::vector<std::uint32_t> Render(const TBitmap& picture, TMipmaps& mipmaps, const TViewScale& scale, TRect area,
                                  bool grid = false) {
  std::vector<std::uint32_t> out(std::size_t(area.Width()) * area.Height());
  TViewLook look;
  look.grid = grid;
  RenderView(picture, mipmaps, scale, look, area, out.data(), area.Width());
  return out;
}

// A picture with something everywhere: colours by position, in an indexed format too.
void Paint(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, RGB((x * 37) & 255, (y * 53) & 255, ((x ^ y) * 11) & 255));
}

TEST(ViewRender, MagnifiedEveryDevicePixelIsItsPicturePixel) {
  for (TPixelFormat f : {pf32bit, pf24bit, pf8bit, pf4bit}) {
    TBitmap picture(23, 17, f);
    Paint(picture);
    TMipmaps mipmaps(picture);
    for (const TViewScale& scale : {TViewScale({3, 1}, {1, 1}), TViewScale({1, 1}, {3, 2}), TViewScale({8, 1}, {2, 1}),
                                    TViewScale({1, 1}, {1, 1})}) {
      const TRect area{-5, -4, int(scale.DeviceOf(23)) + 6, int(scale.DeviceOf(17)) + 3};
      const std::vector<std::uint32_t> out = Render(picture, mipmaps, scale, area);
      for (int j = area.Top; j < area.Bottom; ++j)
        for (int i = area.Left; i < area.Right; ++i) {
          const TColor c = picture.GetPixel(int(scale.PictureOf(i)), int(scale.PictureOf(j)));
          const std::uint32_t expected = c == clInvalid ? TViewLook{}.background : Screen(c);
          ASSERT_EQ(out[std::size_t(j - area.Top) * area.Width() + (i - area.Left)], expected) << i << "," << j;
        }
    }
  }
}

TEST(ViewRender, TheGridMarksTheFirstDeviceRowAndColumnOfEveryPicturePixel) {
  TBitmap picture(4, 3);
  Paint(picture);
  TMipmaps mipmaps(picture);
  const TViewScale scale({4, 1}, {1, 1});
  const std::vector<std::uint32_t> out = Render(picture, mipmaps, scale, TRect{0, 0, 16, 12}, true);
  for (int j = 0; j < 12; ++j)
    for (int i = 0; i < 16; ++i) {
      const std::uint32_t pixel = Screen(picture.GetPixel(i / 4, j / 4));
      EXPECT_EQ(out[std::size_t(j) * 16 + i], i % 4 == 0 || j % 4 == 0 ? GridColorOver(pixel) : pixel) << i << "," << j;
    }
  EXPECT_NE(GridColorOver(0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_NE(GridColorOver(0xFF000000), 0xFF000000u);
}

// The exact mean of a block of screen pixels, each component.
int Component(std::uint32_t p, int shift) { return int((p >> shift) & 0xFF); }

TEST(ViewRender, ReducedPixelsAreTheMeansOfTheBlocksTheyCover) {
  TBitmap picture(64, 48, pf24bit);
  Paint(picture);
  TMipmaps mipmaps(picture);
  for (int reduction : {2, 4, 8, 16}) {
    const TViewScale scale({1, reduction}, {1, 1});
    const TRect area{0, 0, 64 / reduction, 48 / reduction};
    const std::vector<std::uint32_t> out = Render(picture, mipmaps, scale, area);
    for (int j = 0; j < area.Bottom; ++j)
      for (int i = 0; i < area.Right; ++i)
        for (int shift : {0, 8, 16}) {
          int sum = 0;
          for (int y = 0; y < reduction; ++y)
            for (int x = 0; x < reduction; ++x)
              sum += Component(Screen(picture.GetPixel(i * reduction + x, j * reduction + y)), shift);
          // Halving again and again rounds at every level: at most one step off per halving.
          const double mean = double(sum) / (reduction * reduction);
          ASSERT_NEAR(Component(out[std::size_t(j) * area.Right + i], shift), mean, 2.0) << reduction;
        }
  }
}

// A one-pixel black line on white, at every reduction and at any place, shows as a darker line.
TEST(ViewRender, ThinLinesStayVisibleReduced) {
  for (int level = 0; level < kZoomOne; ++level)
    for (int at : {0, 5, 50, 99}) {
      TBitmap picture(100, 100);
      for (int y = 0; y < 100; ++y) picture.SetPixel(at, y, clBlack);
      TMipmaps mipmaps(picture);
      const TViewScale scale(kZoomLevels[level], {1, 1});
      const int across = int(scale.DeviceOf(100));
      const std::vector<std::uint32_t> out = Render(picture, mipmaps, scale, TRect{0, 0, across, across});
      const TRatio s = scale.PerPicturePixel();
      const int column = int(FloorDiv(at * s.num, s.den));  // the device pixel over the line
      for (int j = 0; j + 1 < across; ++j) {
        int darkest = 255;
        for (int i = std::max(0, column - 1); i <= std::min(across - 1, column + 1); ++i)
          darkest = std::min(darkest, Component(out[std::size_t(j) * across + i], 8));
        ASSERT_LE(darkest, 250) << "level " << level << " line at " << at << " row " << j;
      }
    }
}

TEST(ViewMipmaps, ChangedTilesAreComputedAgainAndOthersKept) {
  TBitmap picture(300, 200, pf16bit);
  Paint(picture);
  TMipmaps kept(picture);
  for (int k = 1; k <= 4; ++k) kept.Refresh(k, TRect{0, 0, 300, 200});
  for (int y = 120; y < 131; ++y)
    for (int x = 7; x < 170; ++x) picture.SetPixel(x, y, clBlue);
  kept.Invalidate(TRect{7, 120, 170, 131});
  TMipmaps fresh(picture);
  for (int k = 1; k <= 4; ++k) {
    kept.Refresh(k, TRect{0, 0, kept.Width(k), kept.Height(k)});
    fresh.Refresh(k, TRect{0, 0, fresh.Width(k), fresh.Height(k)});
    ASSERT_EQ(kept.Width(k), (k == 1 ? 150 : k == 2 ? 75 : k == 3 ? 38 : 19));
    for (int y = 0; y < kept.Height(k); ++y)
      for (int x = 0; x < kept.Width(k); ++x) ASSERT_EQ(kept.Row(k, y)[x], fresh.Row(k, y)[x]) << k << ":" << x << "," << y;
  }
}

}  // namespace
