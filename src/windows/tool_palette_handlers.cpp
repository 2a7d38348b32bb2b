// The tool palette's handlers.
#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QPlainTextEdit>

#include "draw/other_shapes.h"
#include "windows/palette_host.h"
#include "windows/tool_palette.h"

void TForm2::polditClick() {
  const int corners = poldit->Position();
  polybutton->setText(QString::number(corners));
  host_.SetPolygonCorners(corners);
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
  host_.SetOtherShape(tag);
}

void TForm2::etcUDClick() {
  const int parameter = etcUD->Position();
  host_.SetOtherShapeParam(parameter);
  const QString hint = tr("パラメータ：%1").arg(parameter);
  etcUD->setStatusTip(hint);
  etcUD->setToolTip(hint);
}

void TForm2::N1Click() { host_.ShowHelpKeyword(QStringLiteral("ツールパレット")); }

void TForm2::hint2Move(QObject* sender) {
  if (auto* control = qobject_cast<QWidget*>(sender)) host_.ShowHint(control->statusTip());
}

void TForm2::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);  // hidden, not destroyed
  host_.ToolPaletteClosed();
}

void TForm2::selectTool(int tag) {
  toolGroup->button(tag)->setChecked(true);
  host_.SelectTool(tag);
  showSelectedTool();
}

void TForm2::showSelectedTool() {
  if (QAbstractButton* button = toolGroup->button(host_.SelectedTool())) button->setChecked(true);
}
