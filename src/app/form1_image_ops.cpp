// The image operations: mirrors, colour conversion, gradient stripes and partial recovery of
// the selected region, and resizing the whole picture.
#include <QAction>
#include <QMenu>

#include "app/form1.h"
#include "draw/ui/pstate_panel.h"
#include "imageops/color_conversion.h"
#include "imageops/picture_resize.h"
#include "imageops/region_gradient.h"
#include "imageops/region_mirror.h"
#include "imageops/ui/color_change_form.h"
#include "imageops/ui/resize_form.h"
#include "widgets/error_guard.h"
#include "widgets/wait_cursor.h"

void TForm1::connectImageOperations() {
  connectCommand(regionMenuItem("Mholizon"), &TForm1::MholizonClick);
  connectCommand(regionMenuItem("Mvert"), &TForm1::MvertClick);
  connectCommand(regionMenuItem("Mcolor"), &TForm1::McolorClick);
  connectCommand(regionMenuItem("Mprecover"), &TForm1::MprecoverClick);
  // Both gradient items run one handler, told apart by the item that sent the command.
  for (const bool horizontal : {true, false}) {
    connect(regionMenuItem(horizontal ? "MgraH" : "MgraV"), &QAction::triggered, this,
            [this, horizontal] { RunGuarded(this, [&] { G1Click(horizontal); }); });
  }
  connectCommand(R1_, &TForm1::R1Click);
}

void TForm1::MholizonClick() {
  document_.TakeSnapshot();
  MirrorRegionLeftRight(document_.Picture(), SelectedRegion);
  InvalidateDocument(SelectedRegion);
}

void TForm1::MvertClick() {
  document_.TakeSnapshot();
  MirrorRegionTopBottom(document_.Picture(), SelectedRegion);
  InvalidateDocument(SelectedRegion);
}

void TForm1::McolorClick() {
  const TDrawingSettings settings = PstatePanel->Settings();
  CchangeForm->FormShow(settings.leftColor);
  if (CchangeForm->exec() != QDialog::Accepted) return;
  TWaitCursor wait;
  document_.TakeSnapshot();
  ConvertColorRange(document_.Picture(), SelectedRegion, CchangeForm->Range(), settings.leftColor);
  InvalidateDocument(TRect{SelectedRegion.Left, SelectedRegion.Top, SelectedRegion.Right + 1,
                           SelectedRegion.Bottom + 1});
}

void TForm1::G1Click(bool horizontal) {
  const TDrawingSettings settings = PstatePanel->Settings();
  TWaitCursor wait;
  document_.TakeSnapshot();
  DrawGradientStripes(document_.Picture(), SelectedRegion, settings.leftColor, settings.rightColor,
                      PenModeOf(settings.penMode),
                      horizontal ? TStripes::Horizontal : TStripes::Vertical);
  InvalidateDocument(TRect{SelectedRegion.Left, SelectedRegion.Top, SelectedRegion.Right + 1,
                           SelectedRegion.Bottom + 1});
}

void TForm1::MprecoverClick() {
  RecoverRegion(document_.Picture(), document_.UndoSnapshot(), SelectedRegion);
  InvalidateDocument(SelectedRegion);
}

void TForm1::R1Click() {
  const TBitmap& picture = document_.Picture();
  ResizeForm->Prepare(picture.Width(), picture.Height());
  if (ResizeForm->exec() != QDialog::Accepted) return;
  ResizeForm->reseditChange();
  TWaitCursor wait;
  // The size is checked before the snapshot is taken, so a refused resize changes nothing.
  // Undo brings back the picture as it was before the resize; the caption, file name and
  // scroll position stay.
  const TPictureSize size = ResizeForm->NewSize();
  TBitmap::CheckSize(size.width, size.height, document_.Picture().PixelFormat());
  document_.TakeSnapshot();
  ResizePicture(document_.Picture(), size);
  DocumentReplaced();
}
