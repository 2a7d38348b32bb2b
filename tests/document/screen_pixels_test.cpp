#include "document/screen_pixels.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/pixel_format_names.h"

namespace {

// Every format converted fast must give what the slow per-pixel colour read gives.
TEST(ScreenPixels, MatchesThePixelColoursInEveryFormat) {
  const TColor colors[] = {clBlack, clWhite, clRed, clLime, clBlue, RGB(12, 200, 77),
                           RGB(128, 128, 0), RGB(255, 0, 255), RGB(1, 2, 3)};
  for (int position = 0; position < kPixelFormatPositions; ++position) {
    TBitmap b(37, 5, PixelFormatAt(position));
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, colors[(x * 7 + y * 3) % 9]);

    const TRect area{3, 1, 36, 5};  // odd edges cross packed bytes
    std::vector<std::uint32_t> out(40 * 5, 0);
    ToScreenPixels(b, area, out.data(), 40);
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        const TColor c = b.GetPixel(x, y);
        const std::uint32_t expected =
            0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        ASSERT_EQ(out[(y - area.Top) * 40 + (x - area.Left)], expected)
            << "format " << position << " at " << x << "," << y;
      }
    }
  }
}

TEST(ScreenPixels, ClipsToTheBitmap) {
  TBitmap b(4, 4, pf24bit);
  b.SetPixel(3, 3, clRed);
  std::vector<std::uint32_t> out(4, 0);
  ToScreenPixels(b, TRect{2, 2, 10, 10}, out.data(), 2);
  EXPECT_EQ(out[3], 0xFFFF0000u);
  EXPECT_EQ(out[0], 0xFFFFFFFFu);
}

}  // namespace
