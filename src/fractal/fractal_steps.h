#pragma once
// The steps of the four kinds: each reads seg[level] of the walk and writes seg[level + 1],
// drawing through the run's figure renderer where the kind says so.
#include "fractal/fractal_params.h"

// The tree: the parent's vector scaled by the ratio (plus random tenths) and turned about the
// parent's end by offset * 2 times the spread angle (plus random tenths of a radian).
// offset = child number - (branchCount - 1) / 2. Draws every child.
void TreeBranch(TFractalWalk& walk, const TFractalParams& params, const TFractalRun& run, TCanvas& canvas,
                float offset);

// The Koch curve: child c (0..3) of the four that replace the parent (first part, the peak's two
// flanks, last part). Only the deepest level is drawn. Sets branchCount to 4.
void KochChild(TFractalWalk& walk, TFractalParams& params, const TFractalRun& run, TCanvas& canvas, int c);

// The edit kind: child line c of the motif carried onto the parent. Drawn when the parent is
// kept or at the deepest level.
void MotifChild(TFractalWalk& walk, const TFractalParams& params, const TFractalRun& run, TCanvas& canvas, int c);

// The repetition: every shifted copy of the stroke at once, colours running from the canvas's
// pen and brush colours to levelColors[0] and [6].
void RepeatStroke(const TFractalWalk& walk, const TFractalParams& params, const TFractalRun& run, TCanvas& canvas);

// The nearest whole number, ties to even.
int NearestPixel(double v);
