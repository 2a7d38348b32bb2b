#pragma once
// The paste at any angle: the paste buffer turned to the direction of a drag, its top-left
// corner at the drag's start.
#include "surface/bitmap.h"
#include "surface/geometry.h"

class TCanvas;

// Where the turned picture lies relative to the start point: left, top inclusive, right,
// bottom exclusive. The turned picture is (right - left) by (bottom - top): one pixel narrower
// and lower than the buffer when unturned.
struct TRotatedBounds {
  int left = 0, right = 0, top = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The bounds of a w x h picture turned by theta whole degrees (0..360).
TRotatedBounds RotatedBounds(int theta, int w, int h);

// The turned picture in the given pixel format (pixels sampled from the buffer at the nearest
// position, black outside it), its wedges outside the turned rectangle filled with
// wedgeColor from its four corners. out's transparent colour is wedgeColor; out is empty when
// the bounds are.
void RotatePicture(const TBitmap& buffer, int theta, TPixelFormat format, TColor wedgeColor, TBitmap& out,
                   TRotatedBounds& bounds);

// Draws the buffer on the canvas turned to the direction from s to q, its top-left corner at s,
// through the canvas copy mode, leaving the wedges (in wedgeColor, the right colour) out.
// Returns the rectangle drawn into (before clipping); an empty buffer draws nothing.
TRect RotatedPaste(TCanvas& canvas, const TBitmap& buffer, TPoint s, TPoint q, TColor wedgeColor);
