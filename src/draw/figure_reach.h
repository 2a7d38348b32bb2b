#pragma once
// Where a figure can draw: the rectangle that previews restore, invalidate and repaint, so that
// a stroke's cost follows the size of its figure rather than the size of the picture.
#include "draw/figure_renderer.h"
#include "surface/geometry.h"

// A rectangle of `whole` (right and bottom exclusive) holding every pixel that RenderFigure of
// choice.figure from s to e can change with a pen at most penWidth wide; it may hold more.
// Area fill (9), whose extent depends on the picture, reaches all of `whole`; the text figures
// (17, 18) reach their lines as choice.text holds them; the eyedropper (10) and unknown figures
// reach nothing (an empty rectangle).
TRect FigureReach(const TFigureChoice& choice, TPoint s, TPoint e, int penWidth, const TRect& whole);

// The smallest rectangle holding a and b; an empty rectangle adds nothing.
TRect UnionOfRects(const TRect& a, const TRect& b);
