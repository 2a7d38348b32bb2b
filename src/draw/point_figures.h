#pragma once
// The figures that act at one point rather than between two: the area fill and the spray.
// (The eyedropper only reads the pixel at the point; the window takes the colour.)
#include "surface/canvas.h"
#include "surface/geometry.h"

class TBitmap;

// Fills the connected area of e's colour with the brush of the fill setting in the canvas pen
// colour. Hatches and the solid brush take the pen colour, the pattern (setting 8) keeps its own
// colours, and "no fill" (setting 0) fills solidly: a click with the fill tool always fills.
void AreaFill(TCanvas& canvas, TPoint e, int fillSetting, const TBitmap& brushPattern);

// Three dots of the canvas pen colour at random in the square of side 2 * penWidth whose
// top-left corner is e - penWidth (right and bottom edges excluded), drawn from the program's
// random generator: each dot takes its vertical offset first, then the horizontal one.
void SprayDots(TCanvas& canvas, TPoint e, int penWidth);
