// RenderFigure: the common steps and the dispatch by figure.
#include "draw/figure_renderer.h"

#include <cstdint>

#include "draw/other_shapes.h"
#include "draw/tool_table.h"
#include "surface/bitmap.h"

namespace {

void Line(TCanvas& canvas, TPoint s, TPoint e) {
  canvas.MoveTo(s.X, s.Y);
  canvas.LineTo(e.X, e.Y);
}

// The rubber band of region selection: a dotted 1-px outline. The pattern brush goes too: the
// band frames the region and never fills it.
void SelectionFrame(TCanvas& canvas, TPoint s, TPoint e) {
  canvas.Pen.Style = psDot;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = bsClear;
  canvas.Brush.Bitmap = nullptr;
  canvas.Rectangle(s.X, s.Y, e.X, e.Y);
}

void RegularPolygonFigure(TCanvas& canvas, TPoint s, TPoint e, int corners, TPolygonVertices* lastPolygon) {
  const TPolygonVertices v = RegularPolygon(s, e, corners);
  if (lastPolygon) *lastPolygon = v;
  canvas.Polygon(std::vector<TPoint>(v.begin(), v.end()));
}

void PasteFigure(TCanvas& canvas, int figure, TPoint s, TPoint e, const TBitmap* pasteBuffer) {
  if (!pasteBuffer) return;
  if (figure == 15)
    canvas.StretchDraw(TRect{s.X, s.Y, e.X, e.Y}, *pasteBuffer);  // reversed corners mirror
  else
    canvas.Draw(e.X, e.Y, *pasteBuffer);
}

}  // namespace

void RenderFigure(TFigurePoints& points, TPoint e, TCanvas& canvas, TPenMode m, const TFigureChoice& choice,
                  TPolygonVertices* lastPolygon) {
  canvas.Pen.Mode = m;
  if (choice.pasteBuffer) canvas.CopyMode = CopyModeOf(choice.penModePosition, *choice.pasteBuffer);
  const TPoint s = points.start;
  switch (choice.figure) {
    case 1:
      Line(canvas, s, e);
      points.previous = s;
      points.start = e;
      break;
    case 2: Line(canvas, s, e); break;
    case 3: canvas.Ellipse(s.X, s.Y, e.X, e.Y); break;
    case 4: {
      const auto t = TrianglePoints(s, e);
      canvas.Polygon(std::vector<TPoint>(t.begin(), t.end()));
      break;
    }
    case 5: canvas.Rectangle(s.X, s.Y, e.X, e.Y); break;
    // The corner size keeps the sign of the drag; the canvas, like the classic one, takes its
    // absolute value.
    case 6:
      canvas.RoundRect(s.X, s.Y, e.X, e.Y, int((std::int64_t(s.X) - e.X) / 2), int((std::int64_t(s.Y) - e.Y) / 2));
      break;
    case 7: RegularPolygonFigure(canvas, s, e, choice.polygonCorners, lastPolygon); break;
    case 8: DrawOtherShape(choice.otherShape, s.X, s.Y, e.X, e.Y, canvas, choice.otherShapeParam); break;
    case 12: SelectionFrame(canvas, s, e); break;
    case 13:
    case 14:
    case 15: PasteFigure(canvas, choice.figure, s, e, choice.pasteBuffer); break;
    case 16:
      canvas.Pen.Width = 1;
      Line(canvas, s, e);
      break;
    case kTextTool: TextFigure(canvas, e, choice.text); break;
    case kAngledTextTool: AngledTextFigure(canvas, s, e, choice.text); break;
    default: break;  // tools 9, 10 and 11: not drawn here yet
  }
}
