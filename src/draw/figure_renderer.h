#pragma once
// RenderFigure, the one drawing entry point of strokes and of fractal drawing: draws the
// selected figure between a start point S and an end point E with a mix mode. Previews call it
// with pmNot so that a second call removes the figure; finished figures with the stroke's pen
// mode. The canvas pen, brush and font are as the stroke's first press left them.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "draw/drawing_settings.h"
#include "draw/text_figure.h"
#include "surface/canvas.h"
#include "surface/geometry.h"

class TBitmap;

// N of the regular N-gon; other values are clamped into this range.
inline constexpr TValueRange kPolygonCornerRange{3, 10};

// What the renderer needs besides the points, gathered by the windows.
struct TFigureChoice {
  int figure = 1;               // the tool number whose figure is drawn (1..18)
  int polygonCorners = 6;       // N of the regular N-gon, 3..10
  int otherShape = 2;           // TOtherShape tag of tool 8
  int otherShapeParam = 5;      // the other shapes' parameter, 1..9
  int penModePosition = 0;      // the settings' pen mode 0..3, for the copy mode of pastes
  TBitmap* pasteBuffer = nullptr;  // drawn by the paste figures; its Transparent flag follows the copy mode
  TTextFigure text;                // what the text figures write
  int penWidth = 1;                // the settings' pen width: the spray's reach
  int fillSetting = 0;             // the settings' fill, for the area fill
  const TBitmap* brushPattern = nullptr;  // the pattern of fill setting 8
  // The eyedropper's colour under the point; without it the eyedropper picks nothing.
  std::function<void(TColor)> colorPicked;
};

// The points of a stroke that the freehand figure advances.
struct TFigurePoints {
  TPoint start;     // S
  TPoint previous;  // where the last preview was drawn
};

// The vertices of the last regular N-gon: slots 1..10 as [0..9], the ones past N copies of
// vertex N.
using TPolygonVertices = std::array<TPoint, 10>;

// The vertices of the regular N-gon inscribed in the circle with diameter S-E, starting at S and
// turning clockwise on the screen, rounded half to even; slots past n repeat vertex n.
TPolygonVertices RegularPolygon(TPoint s, TPoint e, int n);

// The triangle of tool 4: base on S's row from S.x to E.x, apex on E's row at the middle.
std::array<TPoint, 3> TrianglePoints(TPoint s, TPoint e);

// Draws the figure from points.start to e with mix mode m: canvas Pen.Mode := m, and with a
// paste buffer, canvas CopyMode := CopyModeOf(choice.penModePosition), which also sets the
// buffer's Transparent flag. The freehand figure (1) then sets points.previous := the old start
// and points.start := e, so the next call continues from e. Region selection (12) leaves the
// canvas with a 1-px dotted pen and a clear brush, the angle preview (16) with a 1-px pen.
// The pastes (13..15) draw nothing without a paste buffer. The area fill (9) and the spray (11)
// act at e alone, the spray in the pen mode of choice.penModePosition; the eyedropper (10) hands
// the colour at e to choice.colorPicked. The text figures (17, 18) leave the canvas brush clear
// or solid by the fill setting, the angled text (18) the font turned to its direction.
// The N-gon (7) stores its vertices in *lastPolygon when given.
void RenderFigure(TFigurePoints& points, TPoint e, TCanvas& canvas, TPenMode m,
                  const TFigureChoice& choice, TPolygonVertices* lastPolygon = nullptr);
