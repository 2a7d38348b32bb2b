// The ways out of the program, help and the version window.
#include <QCloseEvent>
#include <QMessageBox>

#include "app/form1.h"
#include "app/help_window.h"
#include "app/version_form.h"
#include "widgets/error_guard.h"
#include "windows/fixed_window.h"

void TForm1::AcloseExecute() {
  closeConfirmed_ = true;
  close();
}

void TForm1::savecloseClick() {
  // Esc during a stroke takes back the stroke, not the program.
  if (session_.Drawing()) {
    CancelStroke();
    return;
  }
  if (!askToSaveBeforeEnding()) return;
  closeConfirmed_ = true;
  close();
}

bool TForm1::askToSaveBeforeEnding() {
  QMessageBox question(QMessageBox::Question, tr("確認"), tr("絵を保存しますか"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  GiveFixedWindowCaption(question);
  question.exec();
  const auto answer = question.standardButton(question.clickedButton());
  if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton) return false;
  if (answer == QMessageBox::No) return true;
  // After Yes the program ends only when the picture was written: a cancelled save dialog or a
  // failed write leaves it open with the picture.
  bool written = false;
  return RunGuarded(this, [this, &written] { written = saveDocument(); }) && written;
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The close box asks only about a changed picture; Shift+Esc and an answered question close
  // at once.
  if (!closeConfirmed_ && PictureModified() && !askToSaveBeforeEnding()) {
    event->ignore();
    return;
  }
  closeConfirmed_ = false;
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

void TForm1::Help1Click() { HelpWindow->ShowContents(); }

void TForm1::Help3Click() { HelpWindow->ShowKeyword(QStringLiteral("ツールバー")); }

void TForm1::MversionClick() { VersionForm->exec(); }
