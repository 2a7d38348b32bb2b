#include "imageops/picture_resize.h"

#include <algorithm>
#include <cstdint>

#include "surface/bitmap.h"
#include "surface/canvas.h"

TPictureSize ScaledSize(int percent, int width, int height) {
  const auto side = [percent](int s) {
    const std::int64_t v = std::int64_t(percent) * s / 100;
    return int(std::clamp<std::int64_t>(v, 1, INT32_MAX));
  };
  return TPictureSize{side(width), side(height)};
}

std::string ResizePreviewText(int oldWidth, int oldHeight, const TPictureSize& scaled) {
  return std::to_string(oldWidth) + "x" + std::to_string(oldHeight) + "→" +
         std::to_string(scaled.width) + "x" + std::to_string(scaled.height);
}

void ResizePicture(TBitmap& picture, const TPictureSize& size) {
  TBitmap::CheckSize(size.width, size.height, picture.PixelFormat());
  TBitmap work(size.width, size.height, picture.PixelFormat());
  if (IsIndexed(picture.PixelFormat())) work.SetPalette(picture.Palette());
  work.Transparent = picture.Transparent;
  work.TransparentColor = picture.TransparentColor;
  work.Canvas().CopyMode = cmSrcCopy;
  work.Canvas().StretchDraw(TRect{0, 0, size.width, size.height}, picture);
  picture.Swap(work);
}
