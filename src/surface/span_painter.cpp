#include "surface/span_painter.h"

#include <algorithm>
#include <cstring>

RopMasks MixMasks(TPenMode mode, std::uint32_t v, std::uint32_t all) {
  v &= all;
  const std::uint32_t nv = ~v & all;
  switch (mode) {
    case pmBlack: return {0, 0};
    case pmWhite: return {0, all};
    case pmNop: return {all, 0};
    case pmNot: return {all, all};
    case pmCopy: return {0, v};
    case pmNotCopy: return {0, nv};
    case pmMergePenNot: return {nv, all};  // v | ~d = ~(~v & d)
    case pmMaskPenNot: return {v, v};      // v & ~d = (d & v) ^ v
    case pmMergeNotPen: return {v, nv};    // ~v | d = (d & v) ^ ~v
    case pmMaskNotPen: return {nv, 0};
    case pmMerge: return {nv, v};          // v | d = (d & ~v) ^ v
    case pmNotMerge: return {nv, nv};
    case pmMask: return {v, 0};
    case pmNotMask: return {v, all};
    case pmXor: return {all, v};
    case pmNotXor: return {all, nv};
  }
  return {0, v};
}

SpanInk SpanInk::Solid(RopMasks m) {
  SpanInk ink;
  for (auto& row : ink.cell)
    for (auto& c : row) c = m;
  std::memset(ink.drawn, 0xFF, sizeof ink.drawn);
  ink.uniform = true;
  return ink;
}

std::uint32_t InkRaw(const TBitmap& bmp, TColor c) {
  c = ColorToRGB(c);
  if (bmp.PixelFormat() == pf1bit) {
    const TPalette& pal = bmp.Palette();
    int exact = pal.Find(c);
    if (exact >= 0) return std::uint32_t(exact);
    return std::uint32_t(pal.Nearest(clWhite) ^ 1);
  }
  return bmp.ColorToRaw(c);
}

SpanInk PenInk(const TBitmap& bmp, const TPen& pen) {
  return SpanInk::Solid(MixMasks(pen.Mode, InkRaw(bmp, pen.Color), RawMask(bmp.PixelFormat())));
}

namespace {

// Rows of the six hatches as bit masks over the 8 columns (bit c = column c).
void hatchRows(TBrushStyle style, std::uint8_t rows[8]) {
  for (int r = 0; r < 8; ++r) {
    std::uint8_t bits = 0;
    for (int c = 0; c < 8; ++c) {
      bool horizontal = r == 3, vertical = c == 4, forward = r == c, backward = r + c == 7;
      bool on = false;
      switch (style) {
        case bsHorizontal: on = horizontal; break;
        case bsVertical: on = vertical; break;
        case bsFDiagonal: on = forward; break;
        case bsBDiagonal: on = backward; break;
        case bsCross: on = horizontal || vertical; break;
        case bsDiagCross: on = forward || backward; break;
        default: on = true; break;
      }
      if (on) bits |= std::uint8_t(1u << c);
    }
    rows[r] = bits;
  }
}

}  // namespace

SpanInk BrushInk(const TBitmap& bmp, const TBrush& brush, TPenMode mode, TPoint origin) {
  const std::uint32_t all = RawMask(bmp.PixelFormat());
  if (brush.Bitmap && !brush.Bitmap->Empty()) {
    SpanInk ink;
    const TBitmap& pattern = *brush.Bitmap;
    for (int r = 0; r < 8; ++r)
      for (int c = 0; c < 8; ++c) {
        TColor color = pattern.GetPixel(c % pattern.Width(), r % pattern.Height());
        ink.cell[r][c] = MixMasks(mode, bmp.ColorToRaw(color), all);
      }
    std::memset(ink.drawn, 0xFF, sizeof ink.drawn);
    ink.originX = origin.X;
    ink.originY = origin.Y;
    return ink;
  }
  SpanInk ink = SpanInk::Solid(MixMasks(mode, InkRaw(bmp, brush.Color), all));
  if (brush.Style == bsSolid) return ink;
  if (brush.Style == bsClear) {
    std::memset(ink.drawn, 0, sizeof ink.drawn);
  } else {
    hatchRows(brush.Style, ink.drawn);
  }
  ink.uniform = false;
  ink.originX = origin.X;
  ink.originY = origin.Y;
  return ink;
}

std::uint32_t ReadRaw(const std::uint8_t* row, int x, int bpp) {
  switch (bpp) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8: return row[x];
    case 16: return std::uint32_t(row[2 * x]) | (std::uint32_t(row[2 * x + 1]) << 8);
    case 24: {
      const std::uint8_t* p = row + 3 * x;
      return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
    }
    default: {
      std::uint32_t v;
      std::memcpy(&v, row + 4 * x, 4);
      return v & 0xFFFFFF;
    }
  }
}

void WriteRaw(std::uint8_t* row, int x, int bpp, std::uint32_t v) {
  switch (bpp) {
    case 1: {
      std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
      row[x >> 3] = std::uint8_t((row[x >> 3] & ~bit) | ((v & 1) ? bit : 0));
      break;
    }
    case 4: {
      std::uint8_t& b = row[x >> 1];
      b = (x & 1) ? std::uint8_t((b & 0xF0) | (v & 0xF)) : std::uint8_t((b & 0x0F) | ((v & 0xF) << 4));
      break;
    }
    case 8: row[x] = std::uint8_t(v); break;
    case 16:
      row[2 * x] = std::uint8_t(v);
      row[2 * x + 1] = std::uint8_t(v >> 8);
      break;
    case 24: {
      std::uint8_t* p = row + 3 * x;
      p[0] = std::uint8_t(v);
      p[1] = std::uint8_t(v >> 8);
      p[2] = std::uint8_t(v >> 16);
      break;
    }
    default: {
      std::uint32_t w = v & 0xFFFFFF;
      std::memcpy(row + 4 * x, &w, 4);
      break;
    }
  }
}

SpanPainter::SpanPainter(TBitmap& bmp, const TRect& clip, const SpanInk& ink)
    : clip_(IntersectRect(NormalizedRect(clip), bmp.BoundsRect())),
      ink_(ink),
      bits_(clip_.IsEmpty() ? nullptr : bmp.MutableBits()),
      stride_(bmp.Stride()),
      bpp_(BitsPerPixel(bmp.PixelFormat())) {}

void SpanPainter::Span(int y, int x0, int x1) {
  if (y < clip_.Top || y >= clip_.Bottom) return;
  x0 = std::max(x0, clip_.Left);
  x1 = std::min(x1, clip_.Right);
  if (x0 >= x1) return;
  std::uint8_t* row = bits_ + std::size_t(y) * stride_;
  if (ink_.uniform)
    uniformSpan(row, x0, x1);
  else
    tiledSpan(row, y, x0, x1);
}

namespace {

// Fills 32-bit pixels with 16-byte stores: short rows are common (steep wide lines, small
// figures), and fewer, wider stores keep more rows in flight when they miss the cache.
void fill32(std::uint32_t* p, std::uint32_t* end, std::uint32_t v) {
  const std::uint32_t quad[4] = {v, v, v, v};
  for (; end - p >= 4; p += 4) std::memcpy(p, quad, sizeof quad);
  for (; p < end; ++p) *p = v;
}

}  // namespace

void SpanPainter::uniformSpan(std::uint8_t* row, int x0, int x1) {
  const RopMasks m = ink_.cell[0][0];
  switch (bpp_) {
    case 32: {
      auto* p = reinterpret_cast<std::uint32_t*>(row) + x0;
      auto* end = reinterpret_cast<std::uint32_t*>(row) + x1;
      if (m.andMask == 0) {
        fill32(p, end, m.xorMask);
      } else {
        for (; p < end; ++p) *p = (*p & m.andMask) ^ m.xorMask;
      }
      return;
    }
    case 8:
      if (m.andMask == 0) {
        std::memset(row + x0, int(m.xorMask), std::size_t(x1 - x0));
      } else {
        for (int x = x0; x < x1; ++x) row[x] = std::uint8_t((row[x] & m.andMask) ^ m.xorMask);
      }
      return;
    case 16: {
      auto a = std::uint16_t(m.andMask), v = std::uint16_t(m.xorMask);
      for (int x = x0; x < x1; ++x) {
        std::uint16_t d;
        std::memcpy(&d, row + 2 * x, 2);
        d = std::uint16_t((d & a) ^ v);
        std::memcpy(row + 2 * x, &d, 2);
      }
      return;
    }
    case 24: {
      const std::uint8_t a[3] = {std::uint8_t(m.andMask), std::uint8_t(m.andMask >> 8), std::uint8_t(m.andMask >> 16)};
      const std::uint8_t v[3] = {std::uint8_t(m.xorMask), std::uint8_t(m.xorMask >> 8), std::uint8_t(m.xorMask >> 16)};
      std::uint8_t* p = row + 3 * x0;
      for (int x = x0; x < x1; ++x, p += 3) {
        p[0] = std::uint8_t((p[0] & a[0]) ^ v[0]);
        p[1] = std::uint8_t((p[1] & a[1]) ^ v[1]);
        p[2] = std::uint8_t((p[2] & a[2]) ^ v[2]);
      }
      return;
    }
    default:
      for (int x = x0; x < x1; ++x) WriteRaw(row, x, bpp_, m.apply(ReadRaw(row, x, bpp_)));
      return;
  }
}

void SpanPainter::tiledSpan(std::uint8_t* row, int y, int x0, int x1) {
  const int r = (y - ink_.originY) & 7;
  const std::uint8_t drawn = ink_.drawn[r];
  if (!drawn) return;
  for (int x = x0; x < x1; ++x) {
    const int c = (x - ink_.originX) & 7;
    if (drawn & (1u << c)) WriteRaw(row, x, bpp_, ink_.cell[r][c].apply(ReadRaw(row, x, bpp_)));
  }
}
