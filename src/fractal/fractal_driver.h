#pragma once
// The generation driver: walks the tree of segments below a committed stroke level by level,
// without recursion, on a work copy of the picture that replaces the picture at the end.
#include <cstdint>
#include <string>

#include "fractal/fractal_params.h"

class TBitmap;

// Runs the walk from walk.seg[1] (the stroke) for the run's kind. picture holds the stroke's own
// figure; snapshot the picture from before the stroke, the start of the result when the parent
// is not kept. The work copy takes picture's pen and brush. Returns the milliseconds taken.
// A failure (memory) raises the surface's error with picture unchanged; walk is left at level
// 0 with every counter 0 when the walk ends.
std::uint32_t GenerateFractal(TBitmap& picture, const TBitmap& snapshot, TFractalWalk& walk, TFractalParams& params,
                              const TFractalRun& run);

// The caption of the settings window after a run: "rir（描画時間" and the milliseconds.
std::string DrawingTimeCaption(std::uint32_t milliseconds);
