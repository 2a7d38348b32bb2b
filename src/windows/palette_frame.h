#pragma once
// TPaletteFrame carries the tool palette inside the main window where the palette cannot be
// a window of its own that behaves as one. Under Wayland a program can neither place its
// windows nor keep one over another, and a window with a shaped outline gets its clicks
// shifted by the title bar that Qt draws itself; inside the main window the palette stays
// where it is put, over the canvas and never behind it or over the menus, and its outline
// clips both drawing and clicks.
//
// The frame draws a caption with the palette's title, by which it is dragged within the main
// window's client area (never over the menu bar or the toolbar), and a thin border. It follows
// the palette: shown, hidden and resized with it. Presses on its buttons leave the keyboard in
// its memo (see TKeyboardReturn); presses elsewhere in the main window take it back.
#include <QPoint>
#include <QPointer>
#include <QWidget>

class QMainWindow;

class TPaletteFrame : public QWidget {
 public:
  // Takes palette as its child, at the frame's client origin.
  TPaletteFrame(QMainWindow& host, QWidget& palette);

  // Width and height the caption and the border add to the palette.
  static QSize Margins();
  // The palette's place inside the frame.
  static QPoint ClientOrigin();
  // Moves the frame to place, kept inside the main window's client area.
  void MoveWithin(QPoint place);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect area() const;

  QMainWindow& host_;
  QWidget& palette_;
  // The client area, held apart from host_: the filter still sees its events
  // while the main window is being destroyed, when it may no longer be asked for it.
  QPointer<QWidget> client_;
  QPoint grab_;  // where in the frame the caption was pressed, while dragging
  bool dragging_ = false;
  bool placed_ = false;  // placed in the client area once it had its first size
};
