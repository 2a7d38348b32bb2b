#pragma once
// Strokes of the canvas pen along a path of points.
#include <vector>

#include "surface/canvas_types.h"
#include "surface/geometry.h"

class SpanList;
class TBitmap;

// The widest pen drawn; wider ones draw this wide.
constexpr int kMaxPenWidth = 65535;

// The pixel width the pen draws with: 0 for a clear pen, 1..kMaxPenWidth otherwise.
int PenPixelWidth(const TPen& pen);
// Wide pens are drawn as one shape (each pixel once); 1-px pens line by line.
inline bool PenIsWide(const TPen& pen) { return PenPixelWidth(pen) > 1; }

// Draws the pen along points (at least 2), back to the first point when closed, clipped to clip
// (which lies within the bitmap). A 1-px pen draws each segment without its end point; the dot
// pattern runs on across the segments of one call. Wide pens take points within 2^30 of the
// origin; points farther out are moved onto that limit.
void StrokePath(TBitmap& bmp, const TRect& clip, const TPen& pen, const std::vector<TPoint>& points, bool closed);

// The pixels a wide pen covers along the path, normalized; for figures whose fill must stay out
// of their outline.
void AddWideStroke(SpanList& out, const TPen& pen, const std::vector<TPoint>& points, bool closed);
