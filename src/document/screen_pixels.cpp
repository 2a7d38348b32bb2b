#include "document/screen_pixels.h"

#include <array>

namespace {

using ScreenLut = std::array<std::uint32_t, 256>;

std::uint32_t ScreenOf(TColor c) {
  return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
         GetBValue(c);
}

// Palette entries as screen pixels; indices past the palette show black, as RawToColor does.
ScreenLut PaletteLut(const TBitmap& bitmap) {
  ScreenLut lut;
  lut.fill(0xFF000000u);
  const TPalette& palette = bitmap.Palette();
  for (int i = 0; i < palette.Count() && i < 256; ++i) lut[i] = ScreenOf(palette[i]);
  return lut;
}

void IndexedRow(const std::uint8_t* row, int bits, const ScreenLut& lut, int left, int right,
                std::uint32_t* out) {
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = left; x < right; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    *out++ = lut[(row[x / perByte] >> shift) & mask];
  }
}

// Widening a 5- or 6-bit component repeats its top bits, as TBitmap::RawToColor does.
std::uint32_t Widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }
std::uint32_t Widen6(std::uint32_t v) { return (v << 2) | (v >> 4); }

void WordRow(const std::uint8_t* row, bool is565, int left, int right, std::uint32_t* out) {
  for (int x = left; x < right; ++x) {
    const std::uint32_t v = row[2 * x] | (std::uint32_t(row[2 * x + 1]) << 8);
    const std::uint32_t r = is565 ? Widen5((v >> 11) & 31) : Widen5((v >> 10) & 31);
    const std::uint32_t g = is565 ? Widen6((v >> 5) & 63) : Widen5((v >> 5) & 31);
    *out++ = 0xFF000000u | (r << 16) | (g << 8) | Widen5(v & 31);
  }
}

void RgbRow(const std::uint8_t* row, int left, int right, std::uint32_t* out) {
  for (int x = left; x < right; ++x) {
    const std::uint8_t* p = row + 3 * x;
    *out++ = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
  }
}

void BgrxRow(const std::uint8_t* row, int left, int right, std::uint32_t* out) {
  const std::uint8_t* p = row + 4 * left;
  for (int x = left; x < right; ++x, p += 4) {
    *out++ = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
  }
}

}  // namespace

void ToScreenPixels(const TBitmap& bitmap, const TRect& area, std::uint32_t* out,
                    std::size_t outStride) {
  const TRect r = IntersectRect(NormalizedRect(area), bitmap.BoundsRect());
  if (r.IsEmpty()) return;
  const TPixelFormat f = bitmap.PixelFormat();
  const ScreenLut lut = IsIndexed(f) ? PaletteLut(bitmap) : ScreenLut{};
  for (int y = r.Top; y < r.Bottom; ++y, out += outStride) {
    const std::uint8_t* row = bitmap.Row(y);
    switch (BitsPerPixel(f)) {
      case 1:
      case 4:
      case 8: IndexedRow(row, BitsPerPixel(f), lut, r.Left, r.Right, out); break;
      case 16: WordRow(row, f == pf16bit, r.Left, r.Right, out); break;
      case 24: RgbRow(row, r.Left, r.Right, out); break;
      default: BgrxRow(row, r.Left, r.Right, out); break;
    }
  }
}
