#include "document/ui/new_bmp_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "document/pixel_format_names.h"
#include "language/ui/translations.h"
#include "windows/fixed_window.h"

TNewBMPForm::TNewBMPForm(TCanvasDocument& document, std::function<void()> save, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      document_(document),
      save_(std::move(save)) {
  setObjectName(QStringLiteral("TNewBMPForm"));
  setWindowTitle(tr("新規作成"));
  setToolTip(tr("既存の画像は破棄されます"));
  SetFixedWindowSize(*this, QSize(192, 152));
  createControls();
  FormShow();
}

void TNewBMPForm::createControls() {
  const QString sizeHint[] = {tr("ビットマップの幅"), tr("ビットマップの高さ"),
                              tr("ビットマップの色数を指定")};
  auto label = [&](const QString& text, int x, int y, const QString& hint) {
    auto* l = new QLabel(text, this);
    l->setGeometry(x, y, 90, 20);
    l->setToolTip(hint);
    return l;
  };
  Label1 = label(QStringLiteral("&Width"), 8, 8, sizeHint[0]);
  widthedit = new TSpinEdit(1, 9999, 200, this);
  widthedit->setGeometry(70, 8, 70, 22);
  Label2 = label(QStringLiteral("&Height"), 8, 36, sizeHint[1]);
  Heightedit = new TSpinEdit(1, 9999, 200, this);
  Heightedit->setGeometry(70, 36, 70, 22);
  Label3 = label(QStringLiteral("&PixelFormat="), 8, 66, sizeHint[2]);
  Lpf = label(tr("Device依存"), 96, 62, sizeHint[2]);
  QFont big = Lpf->font();
  big.setPixelSize(19);
  Lpf->setFont(big);
  Lpf->setGeometry(96, 62, 92, 24);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar1->setRange(0, kPixelFormatPositions - 1);
  ScrollBar1->setPageStep(1);
  ScrollBar1->setFocusPolicy(Qt::StrongFocus);
  ScrollBar1->setInvertedControls(false);  // the arrow keys move it the way they point
  ScrollBar1->setGeometry(8, 90, 176, 16);
  ScrollBar1->setToolTip(sizeHint[2]);
  Label1->setBuddy(widthedit);
  Label2->setBuddy(Heightedit);
  Label3->setBuddy(ScrollBar1);
  widthedit->setToolTip(sizeHint[0]);
  Heightedit->setToolTip(sizeHint[1]);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TNewBMPForm::ScrollBar1Change);

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setGeometry(8, 118, 54, 26);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
  CancelBtn->setGeometry(68, 118, 56, 26);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  savebutton = new QPushButton(QStringLiteral("Save"), this);
  savebutton->setGeometry(130, 118, 54, 26);
  connect(savebutton, &QPushButton::clicked, this, [this] { save_(); });

  for (QWidget* w : {static_cast<QWidget*>(widthedit), static_cast<QWidget*>(Heightedit),
                     static_cast<QWidget*>(ScrollBar1), static_cast<QWidget*>(OKBtn),
                     static_cast<QWidget*>(CancelBtn), static_cast<QWidget*>(savebutton)}) {
    w->installEventFilter(this);
  }
}

void TNewBMPForm::SetChosenFormat(TPixelFormat f) {
  document_.ChosenFormat = f;
  if (PixelFormatPosition(f)) Lpf->setText(CoreText("PixelFormat", PixelFormatText(f)));
}

void TNewBMPForm::FormShow() {
  if (auto position = PixelFormatPosition(document_.Picture().PixelFormat())) {
    ScrollBar1->setValue(*position);
    ScrollBar1Change(*position);  // also when the bar was already there
  }
}

void TNewBMPForm::done(int result) {
  confirmedWidth_ = widthedit->Value();
  confirmedHeight_ = Heightedit->Value();
  QDialog::done(result);
}

void TNewBMPForm::ScrollBar1Change(int position) { SetChosenFormat(PixelFormatAt(position)); }

void TNewBMPForm::showEvent(QShowEvent* event) {
  FormShow();
  widthedit->setFocus();
  QDialog::showEvent(event);
}

// Keyboard preview: Enter presses OK, and the lower-case letters h, p and w jump to height,
// pixel format and width; everything else goes on to the focused control.
bool TNewBMPForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    OKBtn->click();
    return true;
  }
  const QString text = key->text();
  QWidget* target = text == QLatin1String("h")   ? static_cast<QWidget*>(Heightedit)
                    : text == QLatin1String("p") ? static_cast<QWidget*>(ScrollBar1)
                    : text == QLatin1String("w") ? static_cast<QWidget*>(widthedit)
                                                 : nullptr;
  if (!target) return false;
  target->setFocus();
  return true;
}
