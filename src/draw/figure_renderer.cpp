// RenderFigure: the common steps and the dispatch by figure.
#include "draw/figure_renderer.h"

#include <cstdint>

#include "draw/other_shapes.h"
#include "draw/point_figures.h"
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
  if (figure == kToolSizedPaste)
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
    case kToolFreehand:
      Line(canvas, s, e);
      points.previous = s;
      points.start = e;
      break;
    case kToolLine: Line(canvas, s, e); break;
    case kToolEllipse: canvas.Ellipse(s.X, s.Y, e.X, e.Y); break;
    case kToolTriangle: {
      const auto t = TrianglePoints(s, e);
      canvas.Polygon(std::vector<TPoint>(t.begin(), t.end()));
      break;
    }
    case kToolRectangle: canvas.Rectangle(s.X, s.Y, e.X, e.Y); break;
    // The corner size keeps the sign of the drag; the canvas, like the classic one, takes its
    // absolute value.
    case kToolRoundRect:
      canvas.RoundRect(s.X, s.Y, e.X, e.Y, int((std::int64_t(s.X) - e.X) / 2), int((std::int64_t(s.Y) - e.Y) / 2));
      break;
    case kToolPolygon: RegularPolygonFigure(canvas, s, e, choice.polygonCorners, lastPolygon); break;
    case kToolOtherShape: DrawOtherShape(choice.otherShape, s.X, s.Y, e.X, e.Y, canvas, choice.otherShapeParam); break;
    case kToolAreaFill:
      if (choice.brushPattern) AreaFill(canvas, e, choice.fillSetting, *choice.brushPattern);
      break;
    case kToolEyedropper:
      if (choice.colorPicked) choice.colorPicked(canvas.GetPixel(e.X, e.Y));
      break;
    case kToolSpray:
      canvas.Pen.Mode = PenModeOf(choice.penModePosition);
      SprayDots(canvas, e, choice.penWidth);
      break;
    case kToolRegion: SelectionFrame(canvas, s, e); break;
    case kToolPaste:
    case kToolRepeatedPaste:
    case kToolSizedPaste: PasteFigure(canvas, choice.figure, s, e, choice.pasteBuffer); break;
    case kToolAngledPaste:
      canvas.Pen.Width = 1;
      Line(canvas, s, e);
      break;
    case kToolText: TextFigure(canvas, e, choice.text, choice.fillSetting); break;
    case kToolAngledText: AngledTextFigure(canvas, s, e, choice.text, choice.fillSetting); break;
    default: break;
  }
}
