#pragma once
// Compares a decoded PNG picture with libpng's reading of the same file: the image shows the
// colour channels; the alpha lives in the alpha mask (as 255 - alpha), or in the image's single
// transparent colour, or nowhere when the file is opaque.
#include <gtest/gtest.h>

#include <string>

#include "png/png_libpng_reference.h"
#include "png/viraviz.h"

inline void ExpectPictureMatches(const VIRAVIZ& pic, const LibpngImage& ref, const std::string& name) {
  const TBitmap& image = pic.Image;
  ASSERT_EQ(image.Width(), ref.width) << name;
  ASSERT_EQ(image.Height(), ref.height) << name;
  if (pic.HasAlpha) {
    ASSERT_EQ(pic.AlphaMask.Width(), ref.width) << name;
    ASSERT_EQ(pic.AlphaMask.Height(), ref.height) << name;
  }
  int wrong = 0;
  for (int y = 0; y < ref.height; ++y) {
    for (int x = 0; x < ref.width; ++x) {
      const TColor c = image.GetPixel(x, y);
      const int a = ref.AlphaAt(x, y);
      bool ok = c == ref.ColorAt(x, y);
      if (pic.HasAlpha)
        ok = ok && pic.AlphaMask.GetRaw(x, y) == std::uint32_t(255 - a);
      else if (image.Transparent && a == 0)
        ok = ok && c == image.TransparentColor;
      else
        ok = ok && a == 255;
      if (!ok && wrong++ < 3)
        ADD_FAILURE() << name << " at " << x << "," << y << ": " << std::hex << c << " mask "
                      << (pic.HasAlpha ? pic.AlphaMask.GetRaw(x, y) : 0) << ", libpng " << ref.ColorAt(x, y)
                      << " alpha " << a;
    }
  }
  EXPECT_EQ(wrong, 0) << name;
}
