// The fixed-angle constraint's controls on the coordinate bar xyBar: the toggle dxdrop, the
// angle updx (0..90 degrees) and its text Ladx. The strokes read them as modifiers.
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include "app/form1.h"

void TForm1::createFixAngleControls() {
  // The coordinate bar's other controls join this row.
  auto* row = qobject_cast<QHBoxLayout*>(xyBar->layout());
  if (!row) {
    row = new QHBoxLayout(xyBar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
  }
  dxdrop = new QToolButton(xyBar);
  dxdrop->setObjectName(QStringLiteral("dxdrop"));
  dxdrop->setCheckable(true);
  dxdrop->setText(QStringLiteral("∠"));
  dxdrop->setFixedSize(23, 22);
  dxdrop->setStatusTip(QStringLiteral("角度固定"));

  updx = new QScrollBar(Qt::Horizontal, xyBar);
  updx->setObjectName(QStringLiteral("updx"));
  updx->setRange(0, 90);
  updx->setValue(45);
  updx->setFixedWidth(90);
  updx->setStatusTip(QStringLiteral("固定角度"));

  Ladx = new QLabel(QStringLiteral("45"), xyBar);
  Ladx->setObjectName(QStringLiteral("Ladx"));
  Ladx->setFixedWidth(20);
  Ladx->setStatusTip(QStringLiteral("固定角度"));

  row->addWidget(dxdrop);
  row->addWidget(Ladx);
  row->addWidget(updx);
  connect(updx, &QScrollBar::valueChanged, this, [this] { updxChange(); });
}

void TForm1::updxChange() { Ladx->setText(QString::number(updx->value())); }
