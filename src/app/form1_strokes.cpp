// The canvas mouse handlers: where events come from, the status texts and the zoom
// notification around the stroke steps (form1_stroke_steps.cpp).
#include <QLabel>
#include <QToolBar>

#include "app/error_guard.h"
#include "app/form1.h"
#include "draw/stroke_geometry.h"
#include "draw/ui/pstate_panel.h"
#include "history/ui/history_commands.h"

namespace {

QString Pair(int a, int b) { return QStringLiteral("%1,%2").arg(a).arg(b); }

}  // namespace

void TForm1::createStrokeControls() {
  createCoordinateBar();
  createFixAngleControls();
  FigureChoice.colorPicked = [this](TColor c) { pickColor(c); };
  connect(this, &TForm1::ImageMouse, this,
          [this](const TCanvasMouse& m) { RunGuarded(this, [&] { routeCanvasMouse(m); }); });
}

void TForm1::routeCanvasMouse(const TCanvasMouse& m) {
  switch (m.kind) {
    case TCanvasMouse::Down:
      if (m.Margin) ScrollBox1MouseDown(m.Button, m.X, m.Y);
      else ImageMouseDown(Image, m.Button, m.X, m.Y);
      break;
    case TCanvasMouse::Move:
      if (m.Margin) ScrollBox1MouseMove(m.X, m.Y);
      else ImageMouseMove(Image, m.X, m.Y);
      break;
    case TCanvasMouse::Up:
      if (m.Margin) ScrollBox1MouseUp(m.Button, m.X, m.Y);
      else ImageMouseUp(Image, m.Button, m.X, m.Y);
      break;
  }
}

void TForm1::ScrollBox1MouseDown(int button, int x, int y) { ImageMouseDown(ScrollBox1, button, x, y); }
void TForm1::ScrollBox1MouseMove(int x, int y) { ImageMouseMove(ScrollBox1, x, y); }
void TForm1::ScrollBox1MouseUp(int button, int x, int y) { ImageMouseUp(ScrollBox1, button, x, y); }

void TForm1::ImageMouseDown(QObject* sender, int button, int x, int y) {
  if (DrawingFlag) secondPress(button, TPoint{x, y});
  else startStroke(sender, button, TPoint{x, y});
  notifyZoom(sender, TPoint{x, y});
  History->Commit();  // a finished stroke is a step
}

void TForm1::ImageMouseMove(QObject* sender, int x, int y) {
  ToolsBar->setEnabled(!DrawingFlag);
  // Single-key shortcuts work once the pointer has passed over the canvas.
  PstatePanel->pstext->setFocus();
  TPoint q{x, y};
  if (DrawingFlag) {
    q = fixedAngle(q);
    const TPoint start = Stroke.points.start;
    Label3->setText(QString::number(AngleOf(start, q)) + QStringLiteral("度"));
    Label2->setText(Pair(q.X - start.X, q.Y - start.Y));
    previewMove(q);
  }
  Label1->setText(Pair(q.X, q.Y));
  Label4->setText(DrawingFlag ? QStringLiteral("描画中") : Image->statusTip());
  notifyZoom(sender, q);
}

void TForm1::ImageMouseUp(QObject* sender, int button, int x, int y) {
  if (DrawingFlag) releaseStroke(button, fixedAngle(TPoint{x, y}));
  showStrokeLabelsIdle();
  notifyZoom(sender, TPoint{x, y});
  History->Commit();
}

void TForm1::showStrokeLabelsIdle() {
  Label2->setText(QStringLiteral("移動距離"));
  Label3->setText(QStringLiteral("角度"));
}

void TForm1::ShowCoordinates(TPoint p) { Label1->setText(Pair(p.X, p.Y)); }

void TForm1::notifyZoom(QObject* sender, TPoint p) {
  if (ZoomNotification) ZoomNotification(sender, p);
}
