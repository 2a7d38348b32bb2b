#include "app/bitmap_image.h"

#include <cstring>

QImage ToQImage(const TBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  const bool wordPixels = bitmap.PixelFormat() == pf32bit || bitmap.PixelFormat() == pfDevice;
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    if (wordPixels) {
      // Blue-green-red-spare words are exactly Qt's RGB32 once the spare byte is opaque.
      const auto* in = reinterpret_cast<const std::uint32_t*>(bitmap.Row(y));
      for (int x = 0; x < bitmap.Width(); ++x) out[x] = in[x] | 0xFF000000u;
      continue;
    }
    for (int x = 0; x < bitmap.Width(); ++x) {
      TColor c = bitmap.GetPixel(x, y);
      out[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  }
  return image;
}
