#pragma once
// The geometry the stroke state machine and the drawing modifiers share: the direction of a
// drag, the fixed-angle constraint and the point-symmetric start point.
#include "surface/geometry.h"

// The direction from p to q in whole degrees 0..360, counter-clockwise on a screen whose y axis
// points down (straight right 0, straight up 90). Computed in 32-bit floats with 0.01 added to
// the x distance, so a vertical drag stays finite; 360 occurs just below the positive x axis.
int AngleOf(TPoint p, TPoint q);

// The fixed-angle constraint: the y that puts pointer (x, y) on the line through start at
// angleDegrees (0..90) to the horizontal, in the pointer's quadrant (down-right and up-left on
// the falling diagonal, the others on the rising one; a pointer on an axis counts with the
// rising pair). x is not changed.
int FixAngle(int x, int y, TPoint start, int angleDegrees);

// The mirror image of p through centre: the start point of point-symmetric drawing.
TPoint MirrorPoint(TPoint p, TPoint centre);
