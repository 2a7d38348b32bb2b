// The ways out of the program, help and the version window.
#include <QCloseEvent>
#include <QMessageBox>

#include "app/error_guard.h"
#include "app/form1.h"
#include "app/help_window.h"
#include "app/version_form.h"

void TForm1::AcloseExecute() { close(); }

void TForm1::savecloseClick() {
  const auto answer = QMessageBox::question(this, QStringLiteral("確認"), QStringLiteral("絵を保存しますか"),
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton) return;
  // The program ends after Yes whether or not a file was written.
  if (answer == QMessageBox::Yes) RunGuarded(this, [this] { savebuttonClick(); });
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

void TForm1::Help1Click() { HelpWindow->ShowContents(); }

void TForm1::Help3Click() { HelpWindow->ShowKeyword(QStringLiteral("ツールバー")); }

void TForm1::MversionClick() { VersionForm->exec(); }
