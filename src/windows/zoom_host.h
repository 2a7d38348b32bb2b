#pragma once
// What the zoom window needs from the main window that holds the document and the strokes.
#include <QString>

#include "surface/bitmap.h"

class QObject;

class TZoomHost {
 public:
  virtual ~TZoomHost() = default;
  // The canvas document's picture, which the view magnifies.
  virtual TBitmap& DocumentPicture() = 0;
  // The canvas's stroke protocol, in picture coordinates; sender is the control the event
  // came from. Buttons: 0 left, 1 right, 2 middle.
  virtual void ImageMouseDown(QObject* sender, int button, int x, int y) = 0;
  virtual void ImageMouseMove(QObject* sender, int x, int y) = 0;
  virtual void ImageMouseUp(QObject* sender, int button, int x, int y) = 0;
  // A stroke is under way.
  virtual bool Drawing() const = 0;
  // The status bar: the pointer position label (Label1) and the hint area (Label4).
  virtual void ShowCoordinates(TPoint p) = 0;
  virtual void ShowHint(const QString& hint) = 0;
  // The window's close box: the zoom window goes away as F9 would take it.
  virtual void ZoomWindowClosed() = 0;
};
