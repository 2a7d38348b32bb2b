#pragma once
// Shape tests compare pictures: a figure drawn by the code under test against the same picture
// drawn from the expected points with the canvas primitives.
#include <gtest/gtest.h>

#include <functional>

#include "support/pixel_picture.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace figure_test {

using Drawing = std::function<void(TCanvas&)>;

// A white 120 x 80 picture with a black 1-px pen and a grey brush, so that outline and fill
// both show.
inline void PreparePicture(TBitmap& b) {
  b.SetSize(120, 80);
  TCanvas& c = b.Canvas();
  c.Brush.Color = clWhite;
  c.FillRect(b.BoundsRect());
  c.Pen = TPen{};
  c.Brush.Color = RGB(128, 128, 128);
}

// Success when both drawings give the same pixels and they are not the blank picture.
inline ::testing::AssertionResult SamePicture(const Drawing& drawn, const Drawing& expected) {
  TBitmap a, b, blank;
  PreparePicture(a);
  PreparePicture(b);
  PreparePicture(blank);
  drawn(a.Canvas());
  expected(b.Canvas());
  const std::string got = PixelPicture(a), want = PixelPicture(b);
  if (want == PixelPicture(blank)) return ::testing::AssertionFailure() << "the expected drawing is blank";
  if (got == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "drawn:\n" << got << "expected:\n" << want;
}

}  // namespace figure_test
