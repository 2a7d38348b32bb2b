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
  // Pixels still shared with the snapshot are its own already: copying would only unshare them.
  if (area.IsEmpty() || picture.SharesPixelsWith(snapshot)) return false;
  TCanvas& canvas = picture.Canvas();
  const TCopyMode mode = canvas.CopyMode;
  canvas.CopyMode = cmSrcCopy;
  canvas.CopyRect(area, snapshot.Canvas(), area);
  canvas.CopyMode = mode;
  return false;
}
