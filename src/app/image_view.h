#pragma once
// The canvas on screen: `Image` shows the document at 1:1, and `ScrollBox1` scrolls it with
// the picture placed at (50, 50) and a margin of 30 past its right and bottom edges.
//
// Only what is exposed is converted from the bitmap, so a 9999 x 9999 picture scrolls and
// a one-pixel change repaints in microseconds. Mouse events on the picture, and on the
// scroll box outside it, come out as plain values in picture coordinates.
#include <QScrollArea>
#include <QWidget>
#include <optional>

#include "surface/bitmap.h"

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

 signals:
  void canvasMouse(const TCanvasMouse& event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const TBitmap& bitmap_;
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

  TScrollBox(const TBitmap& bitmap, QWidget* parent);
  TImageView* Image() const { return image_; }
  // Fits the scrolled area to the picture's present size.
  void DocumentReplaced();
  // Scrolls to the top-left corner and places the picture at (50, 50).
  void ResetPosition();

 signals:
  void canvasMouse(const TCanvasMouse& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* stage_;
  TImageView* image_;
};
