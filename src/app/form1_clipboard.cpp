// The Edit menu's whole-picture commands: copy, cut and paste through the desktop clipboard,
// and select-all, which opens the region menu on the whole picture.
#include <QScrollBar>

#include "app/clipboard_picture.h"
#include "app/form1.h"
#include "draw/region_commands.h"
#include "draw/ui/pstate_panel.h"
#include "widgets/wait_cursor.h"

void TForm1::connectClipboardCommands() {
  connectCommand(Mcopy_, &TForm1::McopyClick);
  connectCommand(Mcut_, &TForm1::McutClick);
  connectCommand(MPaste_, &TForm1::MPasteClick);
  connectCommand(Mallselect_, &TForm1::MallselectClick);
}

void TForm1::McopyClick() {
  TWaitCursor wait;
  WriteClipboardPicture(document_.Picture());
  RefillPasteBuffer();
}

void TForm1::McutClick() {
  McopyClick();
  document_.TakeSnapshot();
  WhitenRegion(document_.Picture(), document_.Picture().BoundsRect());
  InvalidateDocument(document_.Picture().BoundsRect());
}

void TForm1::MPasteClick() {
  TWaitCursor wait;
  TBitmap pasted;
  if (!ReadClipboardPicture(pasted)) return;
  pasted.SetPixelFormat(document_.ChosenFormat);
  document_.Picture().Swap(pasted);
  DocumentReplaced();
  ScrollBox1->horizontalScrollBar()->setValue(0);
  ScrollBox1->verticalScrollBar()->setValue(0);
}

void TForm1::MallselectClick() {
  ScrollBox1->horizontalScrollBar()->setValue(ScrollBox1->horizontalScrollBar()->maximum());
  ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->maximum());
  const TBitmap& picture = document_.Picture();
  CompleteRegion(TPoint{0, 0}, TPoint{picture.Width(), picture.Height()}, session_.Stroke().button);
}
