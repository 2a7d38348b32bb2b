// The fixed-angle constraint's controls on the coordinate bar xyBar: the toggle dxdrop, the
// angle updx (0..90 degrees) and its text Ladx. The strokes read them as modifiers.
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include "app/form1.h"

void TForm1::createFixAngleControls() {
  // The coordinate bar's other controls join this row.
  auto* row = qobject_cast<QHBoxLayout*>(xyBar_->layout());
  if (!row) {
    row = new QHBoxLayout(xyBar_);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
  }
  dxdrop_ = new QToolButton(xyBar_);
  dxdrop_->setObjectName(QStringLiteral("dxdrop"));
  dxdrop_->setCheckable(true);
  dxdrop_->setText(QStringLiteral("∠"));
  dxdrop_->setFixedSize(23, 22);
  dxdrop_->setStatusTip(tr("角度固定"));

  updx_ = new QScrollBar(Qt::Horizontal, xyBar_);
  updx_->setObjectName(QStringLiteral("updx"));
  updx_->setRange(0, 90);
  updx_->setValue(45);
  updx_->setFixedWidth(90);
  updx_->setStatusTip(tr("固定角度"));

  Ladx_ = new QLabel(QStringLiteral("45"), xyBar_);
  Ladx_->setObjectName(QStringLiteral("Ladx"));
  Ladx_->setFixedWidth(20);
  Ladx_->setStatusTip(tr("固定角度"));

  row->addWidget(dxdrop_);
  row->addWidget(Ladx_);
  row->addWidget(updx_);
  connect(updx_, &QScrollBar::valueChanged, this, [this] { updxChange(); });
}

void TForm1::updxChange() { Ladx_->setText(QString::number(updx_->value())); }
