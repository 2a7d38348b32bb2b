#include "draw/stroke_state.h"

#include "surface/bitmap.h"
#include "surface/canvas.h"

bool RestoreFromSnapshot(TBitmap& picture, TBitmap& snapshot, const TRect& r) {
  if (picture.Width() != snapshot.Width() || picture.Height() != snapshot.Height() ||
      picture.PixelFormat() != snapshot.PixelFormat()) {
    picture.Assign(snapshot);
    return true;
  }
  const TRect area = IntersectRect(NormalizedRect(r), picture.BoundsRect());
  if (area.IsEmpty()) return false;
  TCanvas& canvas = picture.Canvas();
  const TCopyMode mode = canvas.CopyMode;
  canvas.CopyMode = cmSrcCopy;
  canvas.CopyRect(area, snapshot.Canvas(), area);
  canvas.CopyMode = mode;
  return false;
}
