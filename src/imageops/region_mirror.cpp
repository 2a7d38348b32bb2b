// A region inside the picture is mirrored in place, row by row; one reaching outside goes
// through the surface's own copy with reversed destination corners, which reads the whole
// source before writing.
#include "imageops/region_mirror.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

void MirrorBySurface(TBitmap& picture, const TRect& region, const TRect& mirrored) {
  TCanvas& canvas = picture.Canvas();
  canvas.CopyMode = cmSrcCopy;
  canvas.CopyRect(mirrored, canvas, region);
}

bool InsidePicture(const TBitmap& picture, const TRect& r) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() && r.Bottom <= picture.Height();
}

template <class Pixel>
void ReverseRows(TBitmap& picture, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    auto* row = reinterpret_cast<Pixel*>(picture.MutableRow(y));
    std::reverse(row + r.Left, row + r.Right);
  }
}

void ReverseRows24(TBitmap& picture, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::uint8_t* row = picture.MutableRow(y);
    std::uint8_t* a = row + std::size_t(r.Left) * 3;
    std::uint8_t* b = row + std::size_t(r.Right - 1) * 3;
    for (; a < b; a += 3, b -= 3) std::swap_ranges(a, a + 3, b);
  }
}

void ReverseRowsByPixel(TBitmap& picture, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int a = r.Left, b = r.Right - 1; a < b; ++a, --b) {
      const std::uint32_t va = picture.GetRaw(a, y);
      picture.SetRaw(a, y, picture.GetRaw(b, y));
      picture.SetRaw(b, y, va);
    }
  }
}

void SwapRowParts(TBitmap& picture, const TRect& r) {
  const int bits = BitsPerPixel(picture.PixelFormat());
  const std::size_t from = std::size_t(r.Left) * bits / 8, length = std::size_t(r.Width()) * bits / 8;
  std::vector<std::uint8_t> held(bits >= 8 ? length : 0);
  for (int a = r.Top, b = r.Bottom - 1; a < b; ++a, --b) {
    if (bits >= 8) {
      std::uint8_t* rowA = picture.MutableRow(a) + from;
      std::uint8_t* rowB = picture.MutableRow(b) + from;
      std::memcpy(held.data(), rowA, length);
      std::memcpy(rowA, rowB, length);
      std::memcpy(rowB, held.data(), length);
      continue;
    }
    for (int x = r.Left; x < r.Right; ++x) {
      const std::uint32_t va = picture.GetRaw(x, a);
      picture.SetRaw(x, a, picture.GetRaw(x, b));
      picture.SetRaw(x, b, va);
    }
  }
}

}  // namespace

void MirrorRegionLeftRight(TBitmap& picture, const TRect& region) {
  if (region.IsEmpty()) return;
  if (!InsidePicture(picture, region)) {
    MirrorBySurface(picture, region, TRect{region.Right - 1, region.Top, region.Left - 1, region.Bottom});
    return;
  }
  picture.PrepareToWrite(region);
  switch (BitsPerPixel(picture.PixelFormat())) {
    case 32: ReverseRows<std::uint32_t>(picture, region); break;
    case 24: ReverseRows24(picture, region); break;
    case 16: ReverseRows<std::uint16_t>(picture, region); break;
    case 8: ReverseRows<std::uint8_t>(picture, region); break;
    default: ReverseRowsByPixel(picture, region); break;
  }
}

void MirrorRegionTopBottom(TBitmap& picture, const TRect& region) {
  if (region.IsEmpty()) return;
  if (!InsidePicture(picture, region)) {
    MirrorBySurface(picture, region, TRect{region.Left, region.Bottom - 1, region.Right, region.Top - 1});
    return;
  }
  picture.PrepareToWrite(region);
  SwapRowParts(picture, region);
}
