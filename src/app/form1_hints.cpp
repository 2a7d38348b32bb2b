// The status hint area Label4: the hint of the control under the pointer, for the status
// labels, the coordinate bar and the main toolbar's buttons, whose pop-up hints are off.
#include <QAction>
#include <QLabel>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "app/form1.h"
#include "widgets/hint_watcher.h"

void TForm1::watchHints() {
  Label1_->setStatusTip(tr("座標"));
  Label2_->setStatusTip(tr("移動距離"));
  Label3_->setStatusTip(tr("角度"));
  Label4_->setStatusTip(tr("ヒント"));
  auto* watcher = new THintWatcher([this](QObject* sender) { HintMove(sender); }, this);
  for (QWidget* control : std::initializer_list<QWidget*>{Label1_, Label2_, Label3_, Label4_, xedit_, yedit_, dxdrop_, Ladx_})
    watcher->Watch(control);
  for (QAction* action : ToolsBar_->actions())
    if (QWidget* button = ToolsBar_->widgetForAction(action); qobject_cast<QToolButton*>(button))
      watcher->Watch(button);
}

void TForm1::HintMove(QObject* sender) {
  auto* control = qobject_cast<QWidget*>(sender);
  if (!control) return;
  // The toolbar buttons carry their hints as their (never shown) tool tips, the Save button's
  // naming the file.
  ShowHint(control->parentWidget() == ToolsBar_ ? control->toolTip() : control->statusTip());
}
