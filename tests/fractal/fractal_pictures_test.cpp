// The previews of the fractal settings window: the value sits on an opaque white cell that no
// line crosses, and the randomness preview drawn before the first click draws no number.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "draw/program_random.h"
#include "fractal/fractal_pictures.h"
#include "surface/bitmap.h"

namespace {

TEST(FractalPreviews, TheValueSitsOnAnOpaqueCell) {
  struct Case {
    const char* name;
    std::function<void(TBitmap&)> draw;
    int value, x, y;  // what is written where
  };
  // Each of these draws lines through the place of its value.
  const Case cases[] = {
      {"branches", [](TBitmap& b) { DrawBranchPreview(b, 6); }, 6, 2, 16},
      {"peak height", [](TBitmap& b) { DrawPeakHeightPreview(b, 20); }, 20, 2, 2},
      {"randomness", [](TBitmap& b) { DrawRandomnessPreview(b, 10); }, 10, 2, 2},
      {"ratio", [](TBitmap& b) { DrawRatioPreview(b, -10); }, -10, 2, 2},
  };
  for (const Case& c : cases) {
    SetRandomState(0xFFFFFFFFu);  // tall bars
    TBitmap preview(30, 30), text(30, 30);
    c.draw(preview);
    // Inside the digits' cell the preview is the value written alone on white.
    TCanvas& t = text.Canvas();
    t.Font = preview.Canvas().Font;
    t.Font.Color = clBlack;
    t.TextOut(c.x, c.y, std::to_string(c.value));
    const int w = t.TextWidth(std::to_string(c.value)), h = t.TextHeight(std::to_string(c.value));
    for (int y = c.y; y < c.y + h && y < 30; ++y)
      for (int x = c.x; x < c.x + w && x < 30; ++x)
        EXPECT_EQ(preview.GetPixel(x, y), text.GetPixel(x, y)) << c.name << " at " << x << "," << y;
  }
}

TEST(FractalPreviews, TheStillRandomnessPreviewIsPositionZeroWithoutANumber) {
  SetRandomState(0);
  TBitmap still(30, 30), atZero(30, 30);
  DrawStillRandomnessPreview(still);
  EXPECT_EQ(RandomState(), 0u);
  DrawRandomnessPreview(atZero, 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(still.GetPixel(x, y), atZero.GetPixel(x, y)) << x << "," << y;
}

}  // namespace
