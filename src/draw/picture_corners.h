#pragma once
// The corners of a w x h picture that the coordinate bar offers, in its list's order: top
// left, then top right, bottom left and bottom right, each first on the corner pixel itself
// ("inside") and then one past the picture ("outside"), as rectangles with exclusive right and
// bottom edges need.
#include "surface/geometry.h"

inline constexpr int kPictureCornerCount = 7;

// Precondition: 0 <= index < kPictureCornerCount.
TPoint PictureCorner(int index, int w, int h);
