// The steps of a stroke: first press, preview on move, second press and release, for all
// eighteen figures. Previews and restores touch only the rectangles the figures reach.
#include <algorithm>

#include "app/form1.h"
#include "draw/figure_reach.h"
#include "draw/stroke_geometry.h"
#include "draw/tool_table.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"
#include "widgets/wait_cursor.h"

void TForm1::startStroke(QObject* sender, int button, TPoint p) {
  if (Aorigin->isChecked()) p = Stroke.origin;
  if (Apoly->isChecked()) p = Stroke.continuation;
  DrawingFlag = true;
  Stroke.button = button;
  TCanvas& canvas = document_.Picture().Canvas();
  PstatePanel->ApplyStrokeSettings(canvas, button);
  PstatePanel->ApplyFillSetting(canvas);
  TPanelMouse press;
  press.button = button;
  PstatePanel->penshapeMouseDown(sender, press);  // the active colour follows the button
  canvas.MoveTo(p.X, p.Y);
  Stroke.points = TFigurePoints{p, p};
  Stroke.centre = p;
  Stroke.touched = TRect{};
  if (FigureTakesSnapshot(FigureChoice.figure)) document_.TakeSnapshot();
}

void TForm1::previewMove(TPoint q) {
  document_.Picture().Canvas().Pen.Width = PstatePanel->penwidth->Position();
  PstatePanel->penModeValue = PstatePanel->PenModeOf();
  const int figure = FigureChoice.figure;
  if (figure == kToolFreehand) {
    drawFigure(q, PstatePanel->penModeValue);  // the segment; q becomes the start point
  } else if (FigurePreviewsOverSnapshot(figure)) {
    restoreTouched();
    // Point symmetry centres the stretched paste and turns the angled text about the press.
    if (Asym->isChecked()) Stroke.points.start = MirrorPoint(q, Stroke.centre);
    drawFigure(q, PstatePanel->penModeValue);
  } else {
    // Inverting the last preview again removes it; the figures that are not pen or brush
    // shapes (fill, eyedropper, spray, stamp) act at each position instead.
    drawFigure(Stroke.points.previous, pmNot);
    Stroke.points.previous = q;
    if (Asym->isChecked()) Stroke.points.start = MirrorPoint(q, Stroke.centre);
    drawFigure(q, pmNot);
  }
}

void TForm1::secondPress(int button, TPoint q) {
  PstatePanel->penModeValue = PstatePanel->PenModeOf();
  q = fixedAngle(q);
  const int figure = FigureChoice.figure;
  switch (figure) {
    case kToolLine: case kToolEllipse: case kToolTriangle: case kToolRectangle: case kToolRoundRect:
    case kToolPolygon: case kToolOtherShape: case kToolSizedPaste:
      restoreTouched();
      drawFigure(q, PstatePanel->penModeValue);
      break;
    case kToolRegion:
      drawFigure(q, pmNot);
      CompleteRegion(Stroke.points.start, q, button);
      break;
    case kToolAngledPaste: {
      TWaitCursor wait;
      restoreTouched();
      if (button == Stroke.button) pasteRotated(Stroke.points.start, q);
      break;
    }
    case kToolEyedropper: Stroke.button = button; break;  // so that the press counts as the stroke's own
    default: break;  // 18 keeps its last preview; drag tools meet a second button here
  }
  if (FractalHandOff)
    FractalHandOff(Stroke.points.start, Stroke.points.previous,
                   FigureStartsFractal(figure) && button == Stroke.button);
  DrawingFlag = false;
  showStrokeLabelsIdle();
  if (button == Stroke.button) {
    Stroke.origin = Stroke.points.start;
    Stroke.continuation = q;
  } else if (figure != kToolRegion) {  // region editing took no snapshot
    returnbuttonClick();
  }
}

void TForm1::releaseStroke(int button, TPoint q) {
  const int figure = FigureChoice.figure;
  const bool ownButton = button == Stroke.button;
  switch (figure) {
    case kToolFreehand: {
      DrawingFlag = false;
      if (!ownButton) {
        returnbuttonClick();
        break;
      }
      // A click without motion leaves a dot.
      TCanvas& canvas = document_.Picture().Canvas();
      canvas.SetPixel(q.X, q.Y, canvas.Pen.Color);
      InvalidateDocument(TRect{q.X, q.Y, q.X + 1, q.Y + 1});
      break;
    }
    case kToolAreaFill: case kToolEyedropper: case kToolSpray: case kToolPaste: case kToolRepeatedPaste:
    case kToolText:
      DrawingFlag = false;
      // The paste leaves one copy where it is released: its previews go first.
      if (figure == kToolPaste) restoreTouched();
      drawFigure(q, pmCopy);
      // The eyedropper took no snapshot.
      if (!ownButton && figure != kToolEyedropper) returnbuttonClick();
      break;
    default: break;  // two-click figures go on
  }
}

void TForm1::drawFigure(TPoint e, TPenMode mode) {
  TBitmap& picture = document_.Picture();
  TCanvas& canvas = picture.Canvas();
  FigureChoice.penModePosition = PstatePanel->pmbar->Position();
  FigureChoice.pasteBuffer = &document_.PasteBuffer();
  FigureChoice.penWidth = PstatePanel->penwidth->Position();
  FigureChoice.fillSetting = PstatePanel->brbar->Position();
  FigureChoice.brushPattern = &document_.BrushPattern();
  if (FigureChoice.figure == kToolText || FigureChoice.figure == kToolAngledText) FigureChoice.text = textFigure();
  // The pen may have been widened since the canvas took its width.
  const int width = std::max(canvas.Pen.Width, PstatePanel->penwidth->Position());
  const TRect reach = FigureReach(FigureChoice, Stroke.points.start, e, width, picture.BoundsRect());
  RenderFigure(Stroke.points, e, canvas, mode, FigureChoice);
  Stroke.touched = UnionOfRects(Stroke.touched, reach);
  InvalidateDocument(reach);
}

void TForm1::pickColor(TColor c) {
  if (PstatePanel->colorSlot < 2) PstatePanel->SetRGBBars(ColorToRGB(c));
  PstatePanel->ShowColors();
}

void TForm1::restoreTouched() {
  if (RestoreFromSnapshot(document_.Picture(), document_.UndoSnapshot(), Stroke.touched))
    DocumentReplaced();
  else
    InvalidateDocument(Stroke.touched);
  Stroke.touched = TRect{};
}
