// The zoom window from the main window: F9, and what the canvas's events, Undo, tool selection
// and a new document tell it.
#include <QAction>
#include <QToolButton>

#include "app/form1.h"
#include "widgets/error_guard.h"
#include "widgets/picture_box.h"
#include "windows/zoom_form.h"

void TForm1::ConnectZoomWindow(TForm4* form) {
  ZoomForm = form;
  connectCommand(Azoom_, &TForm1::zoombuttonclick);
  // Events that come from the view itself never move the centre: the view would slide away
  // under the pen.
  ZoomNotification = [this](QObject* sender, TPoint p) {
    if (!Azoom_->isChecked()) return;
    if (sender != ZoomForm->zoomage && ZoomForm->stopbutton->isChecked()) ZoomForm->SetZoomCenter(p);
    else redrawZoom();
  };
}

void TForm1::zoombuttonclick() {
  ZoomForm->setVisible(!ZoomForm->isVisible());
  Azoom_->setChecked(ZoomForm->isVisible());
}

void TForm1::ZoomWindowClosed() {
  if (ZoomForm->isVisible()) zoombuttonclick();
}

void TForm1::redrawZoom() {
  if (ZoomForm && Azoom_->isChecked()) ZoomForm->DrawZoom(document_.Picture());
}

void TForm1::setZoomCursor(int tool) {
  if (ZoomForm) ZoomForm->zoomage->setCursor(cursors_.Slot(tool));
}

void TForm1::setZoomViewFormat() {
  if (ZoomForm) ZoomForm->zoomage->Picture().SetPixelFormat(document_.ChosenFormat);
}
