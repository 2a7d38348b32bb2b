#pragma once
// A lowered panel with a caption that passes its presses, moves and releases on as canvas
// mouse events; where they act is for the receiver to say (their X and Y are the panel's).
#include <QLabel>

#include "view/ui/image_view.h"

class TClickPanel : public QLabel {
  Q_OBJECT
 public:
  TClickPanel(const QString& caption, QWidget* parent = nullptr);

 signals:
  void panelMouse(const TCanvasMouse& event);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void pass(TCanvasMouse::Kind kind, QMouseEvent* event);
};
