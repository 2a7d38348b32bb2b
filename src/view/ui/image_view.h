#pragma once
// The canvas on screen: `Image` shows the document at a zoom level (1:1 at start), and
// `ScrollBox1` scrolls it with the picture placed at (50, 50) and a margin of 30 past its right
// and bottom edges.
//
// Only what is exposed is computed from the bitmap, in device pixels, so a 9999 x 9999 picture
// scrolls and a one-pixel change repaints in microseconds at every zoom, and picture pixels stay
// sharp blocks on screens of any device pixel ratio. Mouse events on the picture, and on the
// scroll box outside it, come out as plain values in picture coordinates: the picture pixel shown
// under the pointer.
#include <QScrollArea>
#include <QWidget>
#include <optional>

#include "surface/bitmap.h"
#include "view/view_mipmaps.h"
#include "view/view_scale.h"

// One mouse event in picture coordinates (may lie outside the picture). Button: 0 left,
// 1 right, 2 middle; for moves, the button held (0 when only the left or none is held).
struct TCanvasMouse {
  enum Kind { Down, Move, Up };
  Kind kind = Move;
  int Button = 0;
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool LeftHeld = false;
  bool RightHeld = false;
  int X = 0;
  int Y = 0;
  bool Margin = false;  // the event came from the scroll box beside the picture
};

Q_DECLARE_METATYPE(TCanvasMouse)

class TImageView : public QWidget {
  Q_OBJECT
 public:
  // bitmap must outlive the view; the view follows its size after DocumentReplaced().
  TImageView(const TBitmap& bitmap, QWidget* parent);
  // Repaints the picture rectangle r (right and bottom exclusive) from the bitmap.
  void InvalidateDocument(const TRect& r);
  // Takes on the bitmap's present size and repaints everything.
  void DocumentReplaced();

  const TBitmap& Picture() const { return bitmap_; }
  // The zoom level, an index into kZoomLevels.
  int ZoomLevel() const { return zoomLevel_; }
  void SetZoomLevel(int level);
  // The pixel grid, shown from kGridLevel on while it is switched on.
  bool GridOn() const { return grid_; }
  void SetGrid(bool on);
  // Screen (logical) pixels per picture pixel at the present zoom.
  TViewScale ShownScale() const { return TViewScale(kZoomLevels[zoomLevel_], TRatio{}); }
  // The picture pixel shown under a mouse event that receiver (this view or a widget around it
  // in the same window) got.
  TPoint PictureAt(const QMouseEvent& event, const QWidget& receiver) const;
  // How far from the picture's corner picture point p is shown, in screen pixels.
  QPoint ShownOffset(TPoint p) const;

 signals:
  void canvasMouse(const TCanvasMouse& event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TViewScale deviceScale() const;
  // Takes on the picture's size at the zoom and repaints everything.
  void fitSize();
  void emitMouse(TCanvasMouse::Kind kind, QMouseEvent* event);

  const TBitmap& bitmap_;
  TMipmaps mipmaps_;
  int zoomLevel_ = kZoomOne;
  bool grid_ = false;
};

// Turns a Qt mouse event at a point given in picture coordinates into a TCanvasMouse. Presses
// and releases of buttons other than left, right and middle (back, forward) give nothing: they
// do not draw.
std::optional<TCanvasMouse> CanvasMouseOf(TCanvasMouse::Kind kind, const QMouseEvent& event, QPoint picturePos);

class TScrollBox : public QScrollArea {
  Q_OBJECT
 public:
  static constexpr int kPictureOffset = 50;  // where the picture sits in the scrolled area
  static constexpr int kMargin = 30;         // scrollable space past the picture
  static constexpr int kScrollStep = 20;     // a scroll bar's arrow step at 1:1, in picture pixels

  TScrollBox(const TBitmap& bitmap, QWidget* parent);
  TImageView* Image() const { return image_; }
  // Fits the scrolled area to the picture's present size.
  void DocumentReplaced();
  // Scrolls to the top-left corner and places the picture at (50, 50).
  void ResetPosition();
  // Moves the picture inside the scroll box by a distance given in picture pixels, in whole
  // screen pixels (at least one), the scroll bars staying where they are.
  void MovePicture(QPoint picturePixels);

  // Zooms to level, keeping the picture point shown at viewport position `at` where it is: by
  // scrolling, or along an axis where the picture is narrower than the view, by moving it
  // (within the view).
  void ZoomAbout(int level, QPointF at);
  // Zooms in or out by steps about the viewport's centre.
  void ZoomStep(int steps);
  // The largest level that shows the whole picture, scrolled to its corner.
  void FitToView();

 signals:
  void canvasMouse(const TCanvasMouse& event);
  void zoomChanged(int level);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The stage's size and the scroll bars' steps for the picture's shown size.
  void fitStage();
  // Where the picture goes for a zoom that shows the point shownPoint (from its corner) at
  // viewport position `at`: (50, 50) along an axis that scrolls.
  QPoint placeFor(QPointF shownPoint, QPointF at) const;

  QWidget* stage_;
  TImageView* image_;
  int wheelTurn_ = 0;  // Ctrl+wheel eighths of a degree not yet spent on a zoom step
};
