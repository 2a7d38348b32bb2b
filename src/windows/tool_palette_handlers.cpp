// The tool palette's handlers.
#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QPlainTextEdit>

#include "app/form1.h"
#include "app/help_window.h"
#include "draw/other_shapes.h"
#include "widgets/error_guard.h"
#include "windows/tool_palette.h"

void TForm2::polditClick() {
  const int corners = poldit->Position();
  polybutton->setText(QString::number(corners));
  form1_.FigureChoice.polygonCorners = corners;
  selectTool(toolGroup->id(polybutton));
}

void TForm2::etcSelectBClick() {
  // The menu opens where the pointer was when the button was clicked, whatever selecting
  // the tool did meanwhile.
  const QPoint at = QCursor::pos();
  selectTool(toolGroup->id(etcButton));
  editmenu->popup(at);
}

void TForm2::EtcClick(QAction* item) {
  const int tag = item->data().toInt();
  if (tag < osArrow || tag > osCross) return;
  form1_.FigureChoice.otherShape = tag;
}

void TForm2::etcUDClick() {
  const int parameter = etcUD->Position();
  form1_.FigureChoice.otherShapeParam = parameter;
  const QString hint = QStringLiteral("パラメータ：%1").arg(parameter);
  etcUD->setStatusTip(hint);
  etcUD->setToolTip(hint);
}

void TForm2::N1Click() { form1_.HelpWindow->ShowKeyword(QStringLiteral("ツールパレット")); }

void TForm2::hint2Move(QObject* sender) {
  if (auto* control = qobject_cast<QWidget*>(sender)) form1_.ShowHint(control->statusTip());
}

void TForm2::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);  // hidden, not destroyed
  form1_.AtoolP->setChecked(false);
}

void TForm2::selectTool(int tag) {
  toolGroup->button(tag)->setChecked(true);
  RunGuarded(&form1_, [this, tag] { form1_.dtExecute(tag); });
  showSelectedTool();
}

void TForm2::showSelectedTool() {
  if (QAbstractButton* button = form1_.toolButtons[form1_.ToolNumber]) button->setChecked(true);
}
