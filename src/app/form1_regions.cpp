// Region editing and the paste buffer: completing a selection opens the region menu; the
// menu's copy, cut and brush; and the buffer refilled from the clipboard.
#include <QAction>
#include <QMenu>
#include <QScrollBar>

#include "app/clipboard_picture.h"
#include "app/form1.h"
#include "draw/region_commands.h"
#include "draw/ui/pstate_panel.h"

void TForm1::connectRegionCommands() {
  connectCommand(regionMenuItem("Mmcut"), &TForm1::MmcutClick);
  connectCommand(regionMenuItem("Mmcopy"), &TForm1::MmcopyClick);
  connectCommand(regionMenuItem("Mbrush"), &TForm1::MbrushClick);
}

void TForm1::CompleteRegion(TPoint a, TPoint b, int button) {
  SelectedRegion = RegionBetween(a, b);
  if (SelectedRegion.IsEmpty() || button != session_.Stroke().button) return;
  // The menu opens by the second corner as the picture is scrolled.
  const QPoint shown = Image->ShownOffset(b);
  const QPoint at(x() + shown.x() - ScrollBox1->horizontalScrollBar()->value(),
                  y() + shown.y() - ScrollBox1->verticalScrollBar()->value());
  PopupMenu1_->popup(at);
}

void TForm1::MmcopyClick() {
  if (SelectedRegion.IsEmpty()) return;  // nothing selected yet
  CopyRegion(document_.Picture(), SelectedRegion, document_.PasteBuffer());
  WriteClipboardPicture(document_.PasteBuffer());
  RefillPasteBuffer();
}

void TForm1::MmcutClick() {
  if (SelectedRegion.IsEmpty()) return;
  MmcopyClick();
  document_.TakeSnapshot();
  WhitenRegion(document_.Picture(), SelectedRegion);
  InvalidateDocument(SelectedRegion);
}

void TForm1::MbrushClick() {
  LoadBrushPattern(document_.Picture(), SelectedRegion, document_.BrushPattern());
  PstatePanel->brbarClick(PstatePanel->brbar);
}

void TForm1::RefillPasteBuffer() {
  TBitmap& buffer = document_.PasteBuffer();
  ReadClipboardOnce([&] {
    ReadClipboardPicture(buffer);
    // Text wins over a picture held beside it: it is drawn in the font of the last stroke.
    if (const auto text = ReadClipboardText()) RenderTextBuffer(*text, document_.Picture().Canvas().Font, buffer);
  });
}
