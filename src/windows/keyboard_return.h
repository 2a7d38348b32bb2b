#pragma once
// TKeyboardReturn gives the keyboard back to the main window when the user presses on a part
// of it that takes no keyboard itself: the canvas, the toolbar, the status area, the window's
// background. The single-key tools then answer again after typing in the coordinate bar, the
// palette's memo or another window of the program. Where the window system leaves activation
// to the pressed window's owner (Wayland), the main window also asks to become active.
#include <QObject>
#include <QPointer>

class QWidget;

class TKeyboardReturn : public QObject {
 public:
  explicit TKeyboardReturn(QWidget& host);

  // Presses inside panel (a part of the main window with controls of its own) leave the
  // keyboard where it is when it is inside panel: the palette's buttons keep it in its memo.
  static void KeepKeyboardWithin(QWidget& panel);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pressed(QWidget& widget);

  // Not a reference: the application-wide filter still sees events while the main window is
  // being destroyed.
  QPointer<QWidget> host_;
};
