#pragma once
// The rounded corners of rounded rectangles and ellipses (an ellipse is a rounded rectangle whose
// corners are as large as the figure), traced with an integer midpoint method so that the fill
// and the outline of a figure agree pixel for pixel.
#include <vector>

#include "surface/geometry.h"

// The filled area of a rounded rectangle: rows box.Top..box.Bottom-1, each row the pixels
// Left(y)..Right(y)-1. Corner sizes must satisfy 2 <= cornerW <= box width, 2 <= cornerH <= box height.
class RoundRectShape {
 public:
  RoundRectShape(const TRect& box, int cornerW, int cornerH);

  const TRect& Box() const { return box_; }
  // The row's span; y must be within the box rows.
  int Left(int y) const { return box_.Left + inset(y); }
  int Right(int y) const { return box_.Right - inset(y); }

 private:
  int inset(int y) const;

  TRect box_;
  int cornerH_;
  std::vector<int> inset_;  // per row of the lower corner; the box width marks an empty row
};

// The outline of a rounded rectangle over box (right and bottom one past the last pixel): a
// closed path of points whose 1-px lines trace the border pixels, counter-clockwise from the
// right end of the top edge. Same corner limits as RoundRectShape.
std::vector<TPoint> RoundRectOutline(const TRect& box, int cornerW, int cornerH);
