#include "imageops/ui/resize_form.h"
#include "windows/fixed_window.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int kMinPercent = 1;
constexpr int kMaxPercent = 1000;

}  // namespace

Tresizeform::Tresizeform(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Tresizeform"));
  setWindowTitle(tr("拡大縮小"));
  SetFixedWindowSize(*this, QSize(145, 84));
  Label1 = new QLabel(tr("拡大率(%)"), this);
  Label1->setGeometry(8, 8, 64, 20);
  resedit = new TSpinEdit(kMinPercent, kMaxPercent, 100, this);
  resedit->setObjectName(QStringLiteral("resedit"));
  resedit->setGeometry(76, 6, 62, 22);
  Label1->setBuddy(resedit);
  reST = new QLabel(this);
  reST->setObjectName(QStringLiteral("reST"));
  reST->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  reST->setGeometry(12, 30, 120, 25);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setGeometry(8, 58, 60, 22);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
  Button2->setGeometry(76, 58, 60, 22);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(resedit, &TSpinEdit::Changed, this, &Tresizeform::reseditChange);
}

void Tresizeform::Prepare(int oldWidth, int oldHeight) {
  oldWidth_ = oldWidth;
  oldHeight_ = oldHeight;
  resedit->SetValue(100);
  reseditChange();
}

void Tresizeform::reseditChange() {
  // A percentage typed past the range is pulled into it when the focus leaves the box, as
  // OK does: the preview shows that size, and Enter in the box gives the same.
  newSize_ = ScaledSize(std::clamp(resedit->Value(), kMinPercent, kMaxPercent), oldWidth_, oldHeight_);
  reST->setText(QString::fromStdString(ResizePreviewText(oldWidth_, oldHeight_, newSize_)));
}
