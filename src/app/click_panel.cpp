#include "app/click_panel.h"

#include <QMouseEvent>

TClickPanel::TClickPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);  // the window colour
  setMouseTracking(true);
}

void TClickPanel::pass(TCanvasMouse::Kind kind, QMouseEvent* event) {
  if (const auto m = CanvasMouseOf(kind, *event, event->position().toPoint())) emit panelMouse(*m);
}

void TClickPanel::mousePressEvent(QMouseEvent* event) { pass(TCanvasMouse::Down, event); }
void TClickPanel::mouseMoveEvent(QMouseEvent* event) { pass(TCanvasMouse::Move, event); }
void TClickPanel::mouseReleaseEvent(QMouseEvent* event) { pass(TCanvasMouse::Up, event); }
