// The canvas mouse handlers: where events come from, the status texts and the zoom
// notification around the editing session's stroke steps.
#include <QApplication>
#include <QLabel>
#include <QToolBar>

#include "app/form1.h"
#include "draw/stroke_geometry.h"
#include "draw/ui/pstate_panel.h"
#include "history/ui/history_commands.h"
#include "widgets/error_guard.h"

namespace {

QString Pair(int a, int b) { return QStringLiteral("%1,%2").arg(a).arg(b); }

}  // namespace

void TForm1::createStrokeControls() {
  createCoordinateBar();
  createFixAngleControls();
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
  const bool secondPress = session_.Drawing();
  session_.Press(TMouseButton(button), TPoint{x, y});
  if (secondPress) showStrokeLabelsIdle();
  showStrokeState();
  notifyZoom(sender, TPoint{x, y});
  History->Commit();  // a finished stroke is a step
}

void TForm1::ImageMouseMove(QObject* sender, int x, int y) {
  // Single-key shortcuts work once the pointer has passed over the canvas, also after typing
  // in another of the program's windows: the keys come back to this one. Another program
  // keeps the keyboard it has.
  PstatePanel->pstext->setFocus();
  const QWidget* keysAt = QApplication::activeWindow();
  if ((sender == Image || sender == ScrollBox1) && keysAt && keysAt != this) activateWindow();
  const TStrokeMove step = session_.Move(TPoint{x, y});
  const TPoint q = step.point;
  if (step.drawing) {
    Label3_->setText(QString::number(AngleOf(step.start, q)) + tr("度"));
    Label2_->setText(Pair(q.X - step.start.X, q.Y - step.start.Y));
  }
  Label1_->setText(Pair(q.X, q.Y));
  showStrokeState();
  notifyZoom(sender, q);
}

void TForm1::ImageMouseUp(QObject* sender, int button, int x, int y) {
  session_.Release(TMouseButton(button), TPoint{x, y});
  showStrokeLabelsIdle();
  showStrokeState();
  notifyZoom(sender, TPoint{x, y});
  History->Commit();
}

void TForm1::CancelStroke() {
  if (!session_.Drawing()) return;
  // At the last pointer position, where the preview is: the region's dotted frame is
  // inverted away there.
  const TStrokeState& stroke = session_.Stroke();
  const TPoint at = stroke.points.previous;
  ImageMouseDown(Image, stroke.button == 0 ? 1 : 0, at.X, at.Y);
}

// Wherever the stroke's events came from (the canvas, the zoom view, the coordinate bar), the
// toolbar and the hint follow it.
void TForm1::showStrokeState() {
  ToolsBar_->setEnabled(!session_.Drawing());
  Label4_->setText(session_.Drawing() ? tr("描画中") : Image->statusTip());
}

void TForm1::showStrokeLabelsIdle() {
  Label2_->setText(tr("移動距離"));
  Label3_->setText(tr("角度"));
}

void TForm1::ShowCoordinates(TPoint p) { Label1_->setText(Pair(p.X, p.Y)); }

void TForm1::notifyZoom(QObject* sender, TPoint p) {
  if (ZoomNotification) ZoomNotification(sender, p);
}
