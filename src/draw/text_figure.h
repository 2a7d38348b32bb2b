#pragma once
// The two text figures: the memo's lines written at a point with the text angle (tool 17), or
// from a start point toward the pointer (tool 18). Every line after the first is offset from
// the one before by the font height, across the writing direction.
#include <optional>
#include <string>
#include <vector>

#include "draw/drawing_settings.h"
#include "surface/canvas.h"
#include "surface/geometry.h"

// What the text figures take from the windows, read afresh for every drawing.
struct TTextFigure {
  std::vector<std::string> lines;  // UTF-8, first line first; none writes nothing
  TTextFontSettings font;          // the angled text builds its font from this
  int ppi = kPixelsPerInch;
  int escapement = 0;  // the text tool's angle in degrees
};

// The step from one line's anchor to the next: dx = cos(angle - 90 degrees) * height and
// dy = sin(angle - 90 degrees) * height, ties to even; line d is written at
// (P.x - d * dx, P.y + d * dy). With the usual negative height, level text steps |height|
// down and upward text (90 degrees) |height| to the right.
TPoint TextLineStep(int angleDegrees, int fontHeight);

// The anchor of line number `line` (0 first) for a line step as above.
TPoint TextLineAnchor(TPoint anchor, TPoint step, int line);

// Writes lines with their first line's top-left at anchor, in the canvas font, which is taken
// to be turned by angleDegrees.
void WriteTextLines(TCanvas& canvas, TPoint anchor, int angleDegrees, const std::vector<std::string>& lines);

// The text tool at e: the canvas font as the stroke built it (at text.escapement). With fill
// setting 0 (or less) the text has no background; with any other, hatches and the pattern
// included, an opaque one in the brush colour.
void TextFigure(TCanvas& canvas, TPoint e, const TTextFigure& text, int fillSetting);

// The angled text from s toward e: the canvas font is rebuilt at AngleOf(s, e) (its colour
// stays), the background as above, and the lines are anchored at s.
void AngledTextFigure(TCanvas& canvas, TPoint s, TPoint e, const TTextFigure& text, int fillSetting);

// The smallest box, in picture coordinates, holding the turned text cells (advance width by
// cell height) of every non-empty line as one of the figures writes them from s to e, with the
// height of its font; none when nothing is written. Glyphs may reach a little past their cells.
struct TTextExtent {
  double left, top, right, bottom;
  int fontHeight;
};
std::optional<TTextExtent> TextFigureExtent(bool angled, TPoint s, TPoint e, const TTextFigure& text);
