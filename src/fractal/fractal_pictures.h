#pragma once
// The small pictures of the fractal settings window (the 30 x 30 previews of its values, the
// colour strips, the motif editor) and its table of ready parameter sets.
#include <array>

#include "fractal/fractal_params.h"

class TBitmap;

// The colours of the previews and the motif editor's lines: 1 red, 2 green, 3 maroon, 4 blue,
// 5 purple, 6 navy, any other black.
TColor PreviewColor(int n);

// Each preview fills its picture white, draws its lines and writes the value on white.
void DrawLevelPreview(TBitmap& picture, int n);   // a stack of n lines
void DrawBranchPreview(TBitmap& picture, int n);  // a fan of n lines
void DrawRatioPreview(TBitmap& picture, int n);   // the ratio position -10..10
// Four lines of random heights drawn from the program's generator (Random(r) each).
void DrawRandomnessPreview(TBitmap& picture, int r);
// The same picture for position 0 without drawing a number, so that the generator's sequence
// starts with the first click, spray dot or generated tree.
void DrawStillRandomnessPreview(TBitmap& picture);
void DrawAnglePreview(TBitmap& picture, int degrees);
void DrawPeakHeightPreview(TBitmap& picture, int h);
void DrawPeakWidthPreview(TBitmap& picture, int w);

// The level colours as a strip of cells 10 pixels wide: top row pens, bottom row brushes.
void DrawColorStrip(TBitmap& picture, const std::array<TColor, 12>& levelColors);
// The cell (1..12) under (x, y) of a strip: top row 1..6, bottom row 7..12.
int StripCell(int x, int y);

struct TParameterSet {
  const char* name;
  bool autoColor, autoThin;
  int levels, branches, ratioPosition, randomness, angle;
  bool greenRamp;  // the set brings the green level colours
};
extern const std::array<TParameterSet, 8> kParameterSets;
// c1..c12 of the green ramp: pens from maroon to bright green, brushes white.
extern const std::array<TColor, 12> kGreenRamp;

// The motif editor: 150 x 80, reference line from (25, 40) to (125, 40).
constexpr TPoint kMotifOrigin{25, 40};
// Where editor pixel (x, y) lies from the origin: whole pixels and whole degrees.
struct TPolarPoint {
  int len, angle;
};
TPolarPoint MotifPointAt(int x, int y);
// Redraws the editor with the first n child lines and derives their U and V.
void DrawMotifEditor(TBitmap& picture, std::array<TMotifLine, 6>& motif, int n);
