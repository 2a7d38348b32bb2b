#pragma once
// The region commands that turn a region over in place.
#include "surface/geometry.h"

class TBitmap;

// Replaces the region (right and bottom exclusive) by its left-right mirror image; nothing
// outside it changes. A region reaching outside the picture is mirrored about its own middle
// as the picture's surface copies it.
void MirrorRegionLeftRight(TBitmap& picture, const TRect& region);
// The same, top to bottom.
void MirrorRegionTopBottom(TBitmap& picture, const TRect& region);
