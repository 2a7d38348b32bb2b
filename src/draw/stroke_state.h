#pragma once
// The state of the stroke under way on the canvas document, kept by the editing session
// between its mouse events. One set exists; it starts all zero.
#include "draw/figure_renderer.h"
#include "surface/geometry.h"

struct TStrokeState {
  int button = 0;          // the button that started the stroke: 0 left, 1 right, 2 middle
  TFigurePoints points;    // start point and previous point (the freehand figure advances them)
  TPoint centre;           // the first press point: the centre of point-symmetric drawing
  TPoint origin;           // start of the last two-click stroke completed with its own button
  TPoint continuation;     // end point of that stroke
  // The picture rectangle (right and bottom exclusive, empty when nothing) holding everything
  // drawn since the stroke's undo snapshot: restoring it from the snapshot restores the picture.
  TRect touched;
};

// Copies the rectangle r of snapshot onto picture, clipped to the picture, so that r shows
// the snapshot again. When the two differ in size or format the whole snapshot is copied
// (shared until drawn on) and the result is true: the picture's size may have changed.
bool RestoreFromSnapshot(TBitmap& picture, TBitmap& snapshot, const TRect& r);
