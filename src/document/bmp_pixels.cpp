#include "document/bmp_pixels.h"

#include <bit>
#include <cstring>

#include "surface/bgrx_rows.h"
#include "surface/span_painter.h"

namespace {

bool masksAre(const BmpHeader& h, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return h.redMask == r && h.greenMask == g && h.blueMask == b;
}

// How one stored row becomes one row of the bitmap.
enum class RowKernel { kCopy, kWiden2To4, kClearTopBit16, kClearSpare32, kMasks };

RowKernel kernelFor(const BmpHeader& h) {
  switch (h.bitCount) {
    case 2: return RowKernel::kWiden2To4;
    case 16:
      if (masksAre(h, 0x7C00, 0x03E0, 0x001F)) return RowKernel::kClearTopBit16;
      return masksAre(h, 0xF800, 0x07E0, 0x001F) ? RowKernel::kCopy : RowKernel::kMasks;
    case 32: return masksAre(h, 0xFF0000, 0x00FF00, 0x0000FF) ? RowKernel::kClearSpare32 : RowKernel::kMasks;
    default: return RowKernel::kCopy;
  }
}

// One colour channel of a masked pixel, scaled to 0..255 with rounding, so that a full channel
// of any width is 255.
struct Channel {
  std::uint32_t mask;
  int shift;
  std::uint64_t max;

  explicit Channel(std::uint32_t m) : mask(m), shift(std::countr_zero(m)), max(std::uint64_t(m) >> shift) {}
  std::uint32_t operator()(std::uint32_t px) const {
    return std::uint32_t(((std::uint64_t((px & mask) >> shift) * 255) + max / 2) / max);
  }
};

void maskedRow(const BmpHeader& h, const std::uint8_t* src, std::uint8_t* dst) {
  const Channel r(h.redMask), g(h.greenMask), b(h.blueMask);
  const int bytes = h.bitCount / 8;
  for (int x = 0; x < h.width; ++x, src += bytes) {
    const std::uint32_t px = bytes == 2 ? ReadLe16(src) : ReadLe32(src);
    const std::uint32_t out = (r(px) << 16) | (g(px) << 8) | b(px);
    std::memcpy(dst + 4 * std::size_t(x), &out, 4);
  }
}

void widen2To4Row(const std::uint8_t* src, std::uint8_t* dst, int width) {
  for (int x = 0; x < width; x += 2) {
    const std::uint8_t s = src[x / 4];
    const int shift = 6 - 2 * (x % 4);
    dst[x / 2] = std::uint8_t((((s >> shift) & 3) << 4) | ((s >> (shift - 2)) & 3));
  }
}

void clearTopBit16Row(const std::uint8_t* src, std::uint8_t* dst, int width) {
  for (int x = 0; x < width; ++x) {
    std::uint16_t v;
    std::memcpy(&v, src + 2 * std::size_t(x), 2);
    v &= 0x7FFF;
    std::memcpy(dst + 2 * std::size_t(x), &v, 2);
  }
}

}  // namespace

TPixelFormat BmpTargetFormat(const BmpHeader& h) {
  switch (h.bitCount) {
    case 1: return pf1bit;
    case 2:
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16:
      if (masksAre(h, 0x7C00, 0x03E0, 0x001F)) return pf15bit;
      return masksAre(h, 0xF800, 0x07E0, 0x001F) ? pf16bit : pf32bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

void ReadBmpRows(const BmpHeader& h, const std::uint8_t* pixels, TBitmap& bmp) {
  const RowKernel kernel = kernelFor(h);
  const std::size_t fileStride = h.FileStride();
  const std::size_t copyBytes = std::min(fileStride, bmp.Stride());
  const std::size_t pixelBytes = (std::size_t(h.width) * BitsPerPixel(bmp.PixelFormat()) + 7) / 8;
  for (int y = 0; y < h.height; ++y) {
    const std::uint8_t* src = pixels + std::size_t(h.topDown ? y : h.height - 1 - y) * fileStride;
    std::uint8_t* dst = bmp.MutableRow(y);
    switch (kernel) {
      case RowKernel::kCopy: std::memcpy(dst, src, copyBytes); break;
      case RowKernel::kWiden2To4: widen2To4Row(src, dst, h.width); break;
      case RowKernel::kClearTopBit16: clearTopBit16Row(src, dst, h.width); break;
      case RowKernel::kClearSpare32: CopyClearingSpareBytes(src, dst, h.width); break;
      case RowKernel::kMasks: maskedRow(h, src, dst); break;
    }
    std::memset(dst + pixelBytes, 0, bmp.Stride() - pixelBytes);  // the row's padding
  }
}

bool BmpIndicesWithin(const TBitmap& bmp, std::uint32_t count) {
  const int bpp = BitsPerPixel(bmp.PixelFormat());
  if (!IsIndexed(bmp.PixelFormat()) || count >= (1u << bpp)) return true;
  // Whole bytes go through a table of the bytes whose every index is below count; the pixels
  // of a last, partly used byte one by one.
  bool byteOk[256];
  const int perByte = 8 / bpp;
  for (int b = 0; b < 256; ++b) {
    const std::uint8_t byte = std::uint8_t(b);
    byteOk[b] = true;
    for (int i = 0; i < perByte; ++i) byteOk[b] = byteOk[b] && ReadRaw(&byte, i, bpp) < count;
  }
  const int wholeBytes = bmp.Width() / perByte;
  for (int y = 0; y < bmp.Height(); ++y) {
    const std::uint8_t* row = bmp.Row(y);
    for (int i = 0; i < wholeBytes; ++i)
      if (!byteOk[row[i]]) return false;
    for (int x = wholeBytes * perByte; x < bmp.Width(); ++x)
      if (ReadRaw(row, x, bpp) >= count) return false;
  }
  return true;
}

void CheckBmpIndices(const TBitmap& bmp) {
  if (!BmpIndicesWithin(bmp, std::uint32_t(bmp.Palette().Count()))) ThrowInvalidBmp();
}
