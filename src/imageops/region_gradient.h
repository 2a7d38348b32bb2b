#pragma once
// Gradient stripes over a region, and bringing a region back from the undo snapshot.
#include "surface/canvas_types.h"
#include "surface/color.h"
#include "surface/geometry.h"

class TBitmap;

enum class TStripes { Horizontal, Vertical };

// The colour at fraction t (0..1) from `from` to `to`, each component rounded half to even.
TColor BlendColor(TColor from, TColor to, double t);

// Fills region with stripes from `from` (top or left) to `to` (bottom or right), each a 1-pixel
// line drawn in mode. Horizontal stripes run for every row top..bottom, both included, each
// covering left..right-1; vertical ones likewise by columns. So the last stripe, exactly the
// `to` colour, lies one row (column) beyond the region. A region without height (width) draws
// its one stripe in the `from` colour.
void DrawGradientStripes(TBitmap& picture, const TRect& region, TColor from, TColor to,
                         TPenMode mode, TStripes stripes);

// Copies region of snapshot (only read) onto the same place of picture (the parts inside both).
void RecoverRegion(TBitmap& picture, TBitmap& snapshot, const TRect& region);
