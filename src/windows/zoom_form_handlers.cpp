// The zoom window's handlers: rendering, the magnified view as a drawing surface, the
// position panel and the arrow buttons with their repeat.
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "draw/zoom_view.h"
#include "view/ui/image_view.h"
#include "widgets/error_guard.h"
#include "widgets/picture_box.h"
#include "windows/zoom_form.h"
#include "windows/zoom_host.h"

namespace {

// An arrow button held down steps every interval of the chosen speed, and once more at the
// click when it is released over the button.
constexpr int kFastRepeat = 10;
constexpr int kSlowRepeat = 400;

}  // namespace

int TForm4::Zoom() const { return rebar->value(); }

void TForm4::SetZoomCenter(TPoint p) {
  zoomX = p.X;
  zoomY = p.Y;
  const TBitmap& picture = document();
  DrawPositionPanel(panel2->Picture(), PositionPanelMarker(p, picture.Width(), picture.Height()));
  panel2->update();
  DrawZoom(picture);
}

void TForm4::DrawZoom(const TBitmap& b) {
  if (!isVisible()) return;
  RenderZoomView(b, TPoint{zoomX, zoomY}, Zoom(), zoomage->Picture());
  zoomage->update();
}

void TForm4::rebarChange() {
  redit->setText(QString::number(Zoom()));
  DrawZoom(document());
}

TPoint TForm4::viewToPicture(TPoint viewPoint) const { return ZoomViewToPicture(viewPoint, TPoint{zoomX, zoomY}, Zoom()); }

TPoint TForm4::panelToPicture(TPoint panelPoint) const {
  const TBitmap& picture = document();
  return PositionPanelToPicture(panelPoint, picture.Width(), picture.Height());
}

// Strokes in the view go to the canvas's own handlers, which redraw the view as well; the
// view is drawn once more here for the moves made while no stroke is under way.
void TForm4::zoomageMouseDown(int button, TPoint viewPoint) {
  const TPoint p = viewToPicture(viewPoint);
  host_.ImageMouseDown(zoomage, button, p.X, p.Y);
  DrawZoom(document());
}

void TForm4::zoomageMouseMove(TPoint viewPoint) {
  const TPoint p = viewToPicture(viewPoint);
  host_.ImageMouseMove(zoomage, p.X, p.Y);
  if (host_.Drawing()) DrawZoom(document());
}

void TForm4::zoomageMouseUp(int button, TPoint viewPoint) {
  const TPoint p = viewToPicture(viewPoint);
  host_.ImageMouseUp(zoomage, button, p.X, p.Y);
  DrawZoom(document());
}

void TForm4::Panel2MouseDown(TPoint panelPoint) {
  panelDragging = true;
  SetZoomCenter(panelToPicture(panelPoint));
}

void TForm4::Panel2MouseMove(TPoint panelPoint) {
  const TPoint p = panelToPicture(panelPoint);
  host_.ShowCoordinates(p);
  if (panelDragging) SetZoomCenter(p);
}

void TForm4::Panel2MouseUp(TPoint panelPoint) {
  panelDragging = false;
  SetZoomCenter(panelToPicture(panelPoint));
}

void TForm4::upside(QObject* sender) {
  const int dx = sender == leftbutton ? -1 : sender == rightbutton ? 1 : 0;
  const int dy = sender == upbutton ? -1 : sender == downbutton ? 1 : 0;
  SetZoomCenter(TPoint{zoomX + dx, zoomY + dy});
}

void TForm4::leftbuttonMouseDown(QAbstractButton* button) {
  scrollButton = button;
  Timer1->start();
}

void TForm4::leftbuttonMouseUp() { Timer1->stop(); }

void TForm4::Timer1Timer() { upside(scrollButton); }

void TForm4::timeSpeedClick() { Timer1->setInterval(timeSpeed->isChecked() ? kFastRepeat : kSlowRepeat); }

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  auto* widget = qobject_cast<QWidget*>(watched);
  if (type == QEvent::MouseMove && widget && !widget->statusTip().isEmpty()) host_.ShowHint(widget->statusTip());
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint at = mouse->position().toPoint();
  const TPoint point{at.x(), at.y()};
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  if (watched == zoomage) {
    const auto kind = press ? TCanvasMouse::Down : type == QEvent::MouseMove ? TCanvasMouse::Move : TCanvasMouse::Up;
    if (const auto m = CanvasMouseOf(kind, *mouse, at)) {
      RunGuarded(this, [&] {
        if (kind == TCanvasMouse::Down) zoomageMouseDown(m->Button, point);
        else if (kind == TCanvasMouse::Move) zoomageMouseMove(point);
        else zoomageMouseUp(m->Button, point);
      });
    }
    return true;
  }
  if (watched == panel2) {
    if (press) Panel2MouseDown(point);
    else if (type == QEvent::MouseMove) Panel2MouseMove(point);
    else Panel2MouseUp(point);
    return true;
  }
  if (auto* arrow = qobject_cast<QPushButton*>(watched)) {
    if (type == QEvent::MouseButtonPress) leftbuttonMouseDown(arrow);
    if (type == QEvent::MouseButtonRelease) leftbuttonMouseUp();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm4::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  DrawZoom(document());
}

// The close box hides the window as F9 would; the close itself is not refused, so that
// closing every window at the end of the program is not held up here.
void TForm4::closeEvent(QCloseEvent* event) {
  host_.ZoomWindowClosed();
  QWidget::closeEvent(event);
}
