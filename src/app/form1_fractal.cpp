// Fractal drawing from the main window: the switch, and the generation that a committed shape
// stroke hands over to.
#include <QAction>

#include "app/form1.h"
#include "app/help_window.h"
#include "draw/ui/pstate_panel.h"
#include "fractal/fractal_driver.h"
#include "fractal/ui/fractal_form.h"
#include "widgets/error_guard.h"
#include "widgets/up_down.h"
#include "widgets/wait_cursor.h"

void TForm1::ConnectFractalWindow(TForm3* form) {
  FractalForm = form;
  connect(Afrac_, &QAction::triggered, this, [this] { RunGuarded(this, [this] { ZudozoClick(); }); });
  FractalHandOff = [this](TPoint start, TPoint previous, bool generate) { generateFractal(start, previous, generate); };
}

void TForm1::ZudozoClick() {
  FractalForm->setVisible(!FractalForm->isVisible());
  Afrac_->setChecked(FractalForm->isVisible());
  if (FractalForm->isVisible()) {
    FractalForm->fcombChange();
    return;
  }
  FractalForm->udK->SetPosition(0);
  FractalParams.levelCount = 0;
}

void TForm1::FractalWindowClosed() {
  if (FractalForm->isVisible()) ZudozoClick();
}

void TForm1::generateFractal(TPoint start, TPoint previous, bool generate) {
  if (generate && FractalParams.levelCount > 0) {
    TWaitCursor wait;
    FractalWalk.seg[1] = TFractalSegment{start.X, start.Y, previous.X, previous.Y};
    TFractalRun run = FractalForm->RunSettings();
    run.penWidth = PstatePanel->penwidth->Position();
    run.penMode = session_.PenMode();
    run.applyFill = [this](TCanvas& canvas) { PstatePanel->ApplyFillSetting(canvas); };
    TFigureChoice& figure = session_.Figure();
    figure.penModePosition = PstatePanel->pmbar->Position();
    figure.pasteBuffer = &document_.PasteBuffer();
    run.renderFigure = [&figure](TPoint s, TPoint e, TCanvas& canvas, TPenMode mode) {
      TFigurePoints points{s, s};
      RenderFigure(points, e, canvas, mode, figure);
    };
    // A run that fails (memory) leaves the picture with the stroke as it was and says why.
    std::uint32_t elapsed = 0;
    if (RunGuarded(this, [&] {
          elapsed = GenerateFractal(document_.Picture(), document_.UndoSnapshot(), FractalWalk, FractalParams, run);
        })) {
      FractalForm->ShowDrawingTime(elapsed);
      InvalidateDocument(document_.Picture().BoundsRect());
    }
  }
  FractalWalk.Reset();
}

TColor TForm1::LeftColor() const { return PstatePanel->leftColor; }

TColor TForm1::RightColor() const { return PstatePanel->rightColor; }

void TForm1::SetDrawingColors(TColor left, TColor right) {
  PstatePanel->leftColor = left;
  PstatePanel->rightColor = right;
  PstatePanel->ShowColors();
}

void TForm1::ShowHelpKeyword(const QString& keyword) { HelpWindow->ShowKeyword(keyword); }

// A tool's cursor sits in the slot of its number.
QCursor TForm1::LineToolCursor() const { return cursors_.Slot(kToolLine); }
