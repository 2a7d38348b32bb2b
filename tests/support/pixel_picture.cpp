#include "support/pixel_picture.h"

std::string PixelPicture(const TBitmap& bmp, const TRect& area) {
  std::string out;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) {
      const TColor c = bmp.GetPixel(x, y);
      out += c == clWhite ? '.' : c == clBlack ? '#' : 'o';
    }
    out += '\n';
  }
  return out;
}

std::string PixelPicture(const TBitmap& bmp) { return PixelPicture(bmp, bmp.BoundsRect()); }
