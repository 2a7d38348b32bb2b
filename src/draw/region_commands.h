#pragma once
// The selected region and what the region menu does with it on the picture: copy into the
// paste buffer, whiten, load as the brush pattern; and the paste buffer made from text.
#include <string>

#include "surface/bitmap.h"
#include "surface/canvas_types.h"
#include "surface/geometry.h"

// The rectangle with corners a and b, right and bottom exclusive (empty when they share a row
// or a column).
TRect RegionBetween(TPoint a, TPoint b);

// The buffer becomes a 32-bit copy of the region; parts of the region outside the picture come
// out white. Raises EOutOfResources, leaving the buffer as it was, for a region too large to
// hold.
void CopyRegion(TBitmap& picture, const TRect& region, TBitmap& buffer);

// Paints the region white; the picture's copy mode is plain copy afterwards.
void WhitenRegion(TBitmap& picture, const TRect& region);

// The region scaled into the 8 x 8 brush pattern.
void LoadBrushPattern(TBitmap& picture, const TRect& region, TBitmap& pattern);

// The buffer becomes text written in font on white, exactly its size: one level line for each
// line of the text, each one font height below the one before (line ends "\n" or "\r\n"). Raises
// EOutOfResources, leaving the buffer as it was, for text too long to hold as a picture.
void RenderTextBuffer(const std::string& utf8, const TFont& font, TBitmap& buffer);
