// What the editing session's strokes take from the main window: the drawing settings and
// modifiers as they stand, and the steps that belong to the window.
#include <QAction>
#include <QScrollBar>
#include <QToolButton>

#include "app/form1.h"
#include "draw/ui/pstate_panel.h"
#include "widgets/wait_cursor.h"

TStrokeSettings TForm1::StrokeSettings() const {
  TStrokeSettings settings;
  settings.drawing = PstatePanel->Settings();
  settings.ppi = PstatePanel->PixelsPerInch();
  settings.modifiers.fromOrigin = Aorigin_->isChecked();
  settings.modifiers.continuation = Apoly_->isChecked();
  settings.modifiers.pointSymmetry = Asym_->isChecked();
  settings.modifiers.fixAngle = dxdrop_->isChecked();
  settings.modifiers.fixedAngle = updx_->value();
  return settings;
}

void TForm1::StrokeButtonChosen(TMouseButton button) {
  TPanelMouse press;
  press.button = button;
  PstatePanel->penshapeMouseDown(this, press);  // the active colour follows the button
}

void TForm1::ColorPicked(TColor c) {
  if (PstatePanel->colorSlot < 2) PstatePanel->SetRGBBars(ColorToRGB(c));
  PstatePanel->ShowColors();
}

void TForm1::RegionCompleted(TPoint a, TPoint b, TMouseButton button) { CompleteRegion(a, b, button); }

void TForm1::StrokeUndone() { redrawZoom(); }

void TForm1::RunBusy(const std::function<void()>& work) {
  TWaitCursor wait;
  work();
}

void TForm1::StrokeCommitted(TPoint start, TPoint previous, bool generate) {
  if (FractalHandOff) FractalHandOff(start, previous, generate);
}
