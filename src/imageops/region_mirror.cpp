// Mirrors go through the surface's own copy with reversed destination corners, which reads the
// whole source before writing (source and destination overlap exactly).
#include "imageops/region_mirror.h"

#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

void MirrorInto(TBitmap& picture, const TRect& region, const TRect& mirrored) {
  if (region.IsEmpty()) return;
  TCanvas& canvas = picture.Canvas();
  canvas.CopyMode = cmSrcCopy;
  canvas.CopyRect(mirrored, canvas, region);
}

}  // namespace

void MirrorRegionLeftRight(TBitmap& picture, const TRect& region) {
  MirrorInto(picture, region, TRect{region.Right - 1, region.Top, region.Left - 1, region.Bottom});
}

void MirrorRegionTopBottom(TBitmap& picture, const TRect& region) {
  MirrorInto(picture, region, TRect{region.Left, region.Bottom - 1, region.Right, region.Top - 1});
}
