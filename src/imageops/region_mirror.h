#pragma once
// The region commands that turn a region over in place.
#include "surface/geometry.h"

class TBitmap;

// Replaces the region (right and bottom exclusive) by its left-right mirror image; nothing
// outside it changes. A region reaching outside the picture mirrors about its own middle, so
// pixels from outside come in as white, as the picture's surface copies them.
void MirrorRegionLeftRight(TBitmap& picture, const TRect& region);
// The same, top to bottom.
void MirrorRegionTopBottom(TBitmap& picture, const TRect& region);
