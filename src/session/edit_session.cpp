#include "session/edit_session.h"

#include <algorithm>

#include "draw/figure_reach.h"
#include "draw/stroke_geometry.h"
#include "draw/tool_table.h"
#include "draw/rotated_paste.h"
#include "surface/canvas.h"

TEditSession::TEditSession(TCanvasDocument& document) : document_(document) {
  figure_.colorPicked = [this](TColor c) { host_->ColorPicked(c); };
}

void TEditSession::Undo() {
  document_.ExchangeWithSnapshot();
  Replaced();
}

bool TEditSession::SelectTool(int tool) {
  if (drawing_ || tool < 1 || tool > kToolCount) return false;
  figure_.figure = tool;
  tool_ = tool;
  return true;
}

void TEditSession::Press(TMouseButton button, TPoint p) {
  settings_ = host_->StrokeSettings();
  if (drawing_) secondPress(button, p);
  else startStroke(button, p);
}

TStrokeMove TEditSession::Move(TPoint p) {
  TStrokeMove step{drawing_, p, stroke_.points.start};
  if (!drawing_) return step;
  settings_ = host_->StrokeSettings();
  step.point = fixedAngle(p);
  previewMove(step.point);
  return step;
}

void TEditSession::Release(TMouseButton button, TPoint p) {
  if (!drawing_) return;
  settings_ = host_->StrokeSettings();
  releaseStroke(button, fixedAngle(p));
}

TPoint TEditSession::fixedAngle(TPoint q) const {
  const TStrokeModifiers& m = settings_.modifiers;
  if (!m.fixAngle) return q;
  return TPoint{q.X, FixAngle(q.X, q.Y, stroke_.points.start, m.fixedAngle)};
}

void TEditSession::startStroke(TMouseButton button, TPoint p) {
  if (settings_.modifiers.fromOrigin) p = stroke_.origin;
  if (settings_.modifiers.continuation) p = stroke_.continuation;
  drawing_ = true;
  stroke_.button = button;
  TCanvas& canvas = document_.Picture().Canvas();
  ApplyStrokeSettings(canvas, button, settings_.drawing, document_.PasteBuffer(), settings_.ppi);
  ApplyFillSetting(canvas, settings_.drawing.fillSetting, document_.BrushPattern());
  host_->StrokeButtonChosen(button);
  canvas.MoveTo(p.X, p.Y);
  stroke_.points = TFigurePoints{p, p};
  stroke_.centre = p;
  stroke_.touched = TRect{};
  if (FigureTakesSnapshot(figure_.figure)) document_.TakeSnapshot();
}

void TEditSession::previewMove(TPoint q) {
  document_.Picture().Canvas().Pen.Width = settings_.drawing.penWidth;
  penMode_ = PenModeOf(settings_.drawing.penMode);
  const int figure = figure_.figure;
  const bool symmetric = settings_.modifiers.pointSymmetry;
  if (figure == kToolFreehand) {
    drawFigure(q, penMode_);  // the segment; q becomes the start point
  } else if (FigurePreviewsOverSnapshot(figure)) {
    restoreTouched();
    // Point symmetry centres the stretched paste and turns the angled text about the press.
    if (symmetric) stroke_.points.start = MirrorPoint(q, stroke_.centre);
    drawFigure(q, penMode_);
  } else {
    // Inverting the last preview again removes it; the figures that are not pen or brush
    // shapes (fill, eyedropper, spray, stamp) act at each position instead.
    drawFigure(stroke_.points.previous, pmNot);
    stroke_.points.previous = q;
    if (symmetric) stroke_.points.start = MirrorPoint(q, stroke_.centre);
    drawFigure(q, pmNot);
  }
}

void TEditSession::secondPress(TMouseButton button, TPoint q) {
  penMode_ = PenModeOf(settings_.drawing.penMode);
  q = fixedAngle(q);
  const int figure = figure_.figure;
  switch (figure) {
    case kToolLine: case kToolEllipse: case kToolTriangle: case kToolRectangle: case kToolRoundRect:
    case kToolPolygon: case kToolOtherShape: case kToolSizedPaste:
      restoreTouched();
      drawFigure(q, penMode_);
      break;
    case kToolRegion:
      drawFigure(q, pmNot);
      host_->RegionCompleted(stroke_.points.start, q, button);
      break;
    case kToolAngledPaste:
      host_->RunBusy([&] {
        restoreTouched();
        if (button == stroke_.button) pasteRotated(stroke_.points.start, q);
      });
      break;
    case kToolEyedropper: stroke_.button = button; break;  // so that the press counts as the stroke's own
    default: break;  // 18 keeps its last preview; drag tools meet a second button here
  }
  host_->StrokeCommitted(stroke_.points.start, stroke_.points.previous,
                         FigureStartsFractal(figure) && button == stroke_.button);
  drawing_ = false;
  if (button == stroke_.button) {
    stroke_.origin = stroke_.points.start;
    stroke_.continuation = q;
  } else if (figure != kToolRegion) {  // region editing took no snapshot
    undoStroke();
  }
}

void TEditSession::releaseStroke(TMouseButton button, TPoint q) {
  const int figure = figure_.figure;
  const bool ownButton = button == stroke_.button;
  switch (figure) {
    case kToolFreehand: {
      drawing_ = false;
      if (!ownButton) {
        undoStroke();
        break;
      }
      // A click without motion leaves a dot.
      TCanvas& canvas = document_.Picture().Canvas();
      canvas.SetPixel(q.X, q.Y, canvas.Pen.Color);
      Changed(TRect{q.X, q.Y, q.X + 1, q.Y + 1});
      break;
    }
    case kToolAreaFill: case kToolEyedropper: case kToolSpray: case kToolPaste: case kToolRepeatedPaste:
    case kToolText:
      drawing_ = false;
      // The paste leaves one copy where it is released: its previews go first.
      if (figure == kToolPaste) restoreTouched();
      drawFigure(q, pmCopy);
      // The eyedropper took no snapshot.
      if (!ownButton && figure != kToolEyedropper) undoStroke();
      break;
    default: break;  // two-click figures go on
  }
}

void TEditSession::drawFigure(TPoint e, TPenMode mode) {
  TBitmap& picture = document_.Picture();
  TCanvas& canvas = picture.Canvas();
  const TDrawingSettings& s = settings_.drawing;
  figure_.penModePosition = s.penMode;
  figure_.pasteBuffer = &document_.PasteBuffer();
  figure_.penWidth = s.penWidth;
  figure_.fillSetting = s.fillSetting;
  figure_.brushPattern = &document_.BrushPattern();
  if (figure_.figure == kToolText || figure_.figure == kToolAngledText) {
    TTextFigure& text = figure_.text;
    text.lines = host_->TextLines();
    text.font = s.font;
    text.ppi = settings_.ppi;
    text.escapement = s.textAngle;
  }
  // The pen may have been widened since the canvas took its width.
  const int width = std::max(canvas.Pen.Width, s.penWidth);
  const TRect reach = FigureReach(figure_, stroke_.points.start, e, width, picture.BoundsRect());
  RenderFigure(stroke_.points, e, canvas, mode, figure_);
  stroke_.touched = UnionOfRects(stroke_.touched, reach);
  Changed(reach);
}

void TEditSession::restoreTouched() {
  if (RestoreFromSnapshot(document_.Picture(), document_.UndoSnapshot(), stroke_.touched))
    Replaced();
  else
    Changed(stroke_.touched);
  stroke_.touched = TRect{};
}

void TEditSession::pasteRotated(TPoint s, TPoint q) {
  TCanvas& canvas = document_.Picture().Canvas();
  Changed(RotatedPaste(canvas, document_.PasteBuffer(), s, q, settings_.drawing.rightColor));
}

void TEditSession::undoStroke() {
  Undo();
  host_->StrokeUndone();
}
