#pragma once
// The one routine behind CopyRect, Draw and StretchDraw: a source area sampled onto a
// destination area through the canvas's raster operation.
#include "surface/bitmap.h"
#include "surface/canvas.h"

// An area as start and signed extent: a negative extent W at X covers X+W+1..X, mirrored.
struct BlitArea {
  int x = 0, y = 0, w = 0, h = 0;
};

// Copies source's area src onto canvas's area dst through canvas.CopyMode, sampled as in
// stretch_map.h, clipped to the canvas's ClipRect and to the source bitmap (destination pixels
// whose source pixel lies outside it stay as they are). Source pixels are first converted to the
// destination's raw values by colour unless both bitmaps share layout and palette; the operation
// then works on raw values. The pattern is the canvas brush, aligned like its fills (hatch pixels
// between the lines are left alone). With transparentColor given, source pixels of exactly that
// colour leave the destination alone. The source may be the canvas's own bitmap: the result is as
// if the whole source area were read before anything is written.
void StretchBlit(TCanvas& canvas, const TBitmap& source, const BlitArea& dst, const BlitArea& src,
                 const TColor* transparentColor);
