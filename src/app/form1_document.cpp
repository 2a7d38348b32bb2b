// New, Undo and bringing the window up to date after the document was replaced.
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include "app/form1.h"
#include "document/ui/new_bmp_form.h"
#include "language/ui/translations.h"

void TForm1::returnbuttonClick() {
  // During a stroke the picture holds its inverted previews: the stroke ends first, and its
  // own cancelling Undo is the one asked for.
  if (session_.Drawing()) {
    CancelStroke();
    return;
  }
  session_.Undo();
  redrawZoom();
}

void TForm1::newBClick() {
  NewBMPForm->widthedit->SetValue(document_.Picture().Width());
  NewBMPForm->Heightedit->SetValue(document_.Picture().Height());
  if (NewBMPForm->exec() != QDialog::Accepted) return;
  const bool keepBefore = PictureModified();
  document_.ReplaceWithNewPicture(NewBMPForm->ConfirmedWidth(), NewBMPForm->ConfirmedHeight(),
                                  document_.ChosenFormat);
  ResetDocumentView();
  PictureOpened(keepBefore);
}

void TForm1::ResetDocumentView() {
  session_.ForgetStroke();
  ToolsBar_->setEnabled(true);
  document_.TakeSnapshot();
  DocumentReplaced();
  ScrollBox1->ResetPosition();
  showDocumentName();
  session_.Events().Clean();
}

void TForm1::showDocumentName() {
  NewBMPForm->SetChosenFormat(document_.Picture().PixelFormat());
  setZoomViewFormat();
  const std::string name = FileNamePart(document_.FileName);
  setWindowTitle(QString::fromStdString(MainCaption(name, NewBMPForm->Lpf->text().toStdString())));
  saveB_->setToolTip(CoreMessageText(SaveHint(document_.FileName), "Hint"));
}
