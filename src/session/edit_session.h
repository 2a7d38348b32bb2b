#pragma once
// TEditSession, the editing session between the windows and the document: the picture being
// edited, the stroke machine that draws into it (first press, preview on move, second press
// and release, for all eighteen figures, with the drawing modifiers and the fixed angle), and
// the one list of those who follow its changes. Windows turn their events into these calls.
#include "document/canvas_document.h"
#include "draw/figure_renderer.h"
#include "draw/stroke_state.h"
#include "session/edit_events.h"
#include "session/stroke_host.h"

// What a pointer move did: where it counts (after the fixed angle) and, during a stroke, the
// start point the move was measured from.
struct TStrokeMove {
  bool drawing = false;
  TPoint point;
  TPoint start;
};

class TEditSession {
 public:
  // document belongs to the program and outlives the session.
  explicit TEditSession(TCanvasDocument& document);
  TEditSession(const TEditSession&) = delete;
  TEditSession& operator=(const TEditSession&) = delete;

  TCanvasDocument& Document() { return document_; }
  TEditEvents& Events() { return events_; }
  // The window's side of the strokes; set before the first press. host outlives the session.
  void SetHost(TStrokeHost& host) { host_ = &host; }

  // Every change of the picture, made here or by a window, is told through these.
  void Changed(const TRect& r) { events_.Changed(r); }
  void Replaced() { events_.Replaced(); }
  // One-level Undo between strokes: the picture and its snapshot change places.
  void Undo();

  // The selected tool (1..18) and the figure the renderer draws with its values. Selection
  // does nothing during a stroke or for another number, and says so by false.
  bool SelectTool(int tool);
  int Tool() const { return tool_; }
  TFigureChoice& Figure() { return figure_; }
  const TFigureChoice& Figure() const { return figure_; }

  bool Drawing() const { return drawing_; }
  const TStrokeState& Stroke() const { return stroke_; }
  // The mix mode of the stroke under way, as its last step read it.
  TPenMode PenMode() const { return penMode_; }
  // The picture was replaced under a stroke (Open, New): the stroke is over.
  void ForgetStroke() { drawing_ = false; }

  // The stroke protocol in picture coordinates (outside the picture too): a press starts a
  // stroke or makes its second press, a move previews, a release ends the drag figures.
  void Press(TMouseButton button, TPoint p);
  TStrokeMove Move(TPoint p);
  void Release(TMouseButton button, TPoint p);

 private:
  TPoint fixedAngle(TPoint q) const;
  void startStroke(TMouseButton button, TPoint p);
  void secondPress(TMouseButton button, TPoint q);
  void previewMove(TPoint q);
  void releaseStroke(TMouseButton button, TPoint q);
  void drawFigure(TPoint e, TPenMode mode);
  void restoreTouched();
  void pasteRotated(TPoint s, TPoint q);
  void undoStroke();

  TCanvasDocument& document_;
  TEditEvents events_;
  TStrokeHost* host_ = nullptr;
  TStrokeSettings settings_;  // the snapshot of the step under way
  TFigureChoice figure_;
  TStrokeState stroke_;
  TPenMode penMode_ = pmCopy;
  int tool_ = 1;
  bool drawing_ = false;
};
