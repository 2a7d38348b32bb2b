#include "surface/color_match.h"

RawColorMatch::RawColorMatch(const TBitmap& bmp, TColor c) : indexed_(IsIndexed(bmp.PixelFormat())) {
  if (c == clInvalid) return;
  c = ColorToRGB(c);
  if (indexed_) {
    const TPalette& pal = bmp.Palette();
    for (int i = 0; i < pal.Count() && i < 256; ++i) table_[i] = pal[i] == c;
    return;
  }
  const std::uint32_t raw = bmp.ColorToRaw(c);
  if (bmp.RawToColor(raw) == c) key_ = raw;
}
