#include "document/ui/png_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "png/viraviz.h"
#include "surface/color.h"
#include "view/ui/image_view.h"
#include "windows/fixed_window.h"

namespace {

// Scroll bar position -> compression level: 0 stored, 1 fastest, 2 best.
constexpr std::uint8_t kLevelOfPosition[] = {0, 2, 3};

}  // namespace

TForm7::TForm7(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TForm7"));
  setWindowTitle(tr("PNGの設定"));
  SetFixedWindowSize(*this, QSize(158, 257));
  createControls();
  move(screen()->availableGeometry().center() - rect().center());
}

void TForm7::createControls() {
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setGeometry(0, 0, 158, 129);

  cbT = new QCheckBox(tr("透過"), this);
  cbT->setObjectName(QStringLiteral("cbT"));
  cbT->setGeometry(8, 136, 60, 20);
  Panelt = new QLabel(tr("透過色"), this);
  Panelt->setObjectName(QStringLiteral("Panelt"));
  Panelt->setGeometry(72, 134, 78, 24);
  Panelt->setAlignment(Qt::AlignCenter);
  Panelt->setFrameShape(QFrame::Panel);
  Panelt->setFrameShadow(QFrame::Raised);
  Panelt->setAutoFillBackground(true);

  Label1 = new QLabel(tr("圧縮率"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 166, 60, 18);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  ScrollBar1->setGeometry(8, 186, 142, 16);
  ScrollBar1->setRange(0, 2);
  ScrollBar1->setPageStep(1);
  ScrollBar1->setValue(1);

  cbI = new QCheckBox(tr("インタレース"), this);
  cbI->setObjectName(QStringLiteral("cbI"));
  cbI->setGeometry(8, 208, 140, 20);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(44, 230, 70, 24);
  Button1->setDefault(true);

  // A change of either mark counts as a click, whether the user or the program made it.
  connect(cbT, &QCheckBox::toggled, this, [this] { cbTClick(); });
  connect(cbI, &QCheckBox::toggled, this, [this] { cbTClick(); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm7::SetPicture(VIRAVIZ* picture) {
  picture_ = picture;
  delete Image1;
  Image1 = new TImageView(picture->Image, ScrollBox1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->DocumentReplaced();
  ScrollBox1->setWidget(Image1);
  connect(Image1, &TImageView::canvasMouse, this, &TForm7::Image1Mouse);
}

void TForm7::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TForm7::FormShow() {
  // The interlace box goes first: unchecking it hands the previous scroll position to the new
  // picture before the bar returns to its start.
  cbI->setChecked(false);
  cbT->setChecked(false);
  setPaneltColor(ColorToRGB(clBtnFace));
  ScrollBar1->setValue(1);
}

void TForm7::cbTClick() {
  if (!picture_) return;
  picture_->InterlaceOption = cbI->isChecked();
  picture_->CompressionLevel = kLevelOfPosition[ScrollBar1->value()];
}

void TForm7::done(int result) {
  // What is ticked when OK is pressed is what gets written: an unticked transparency box
  // writes no transparent colour, whatever was picked or loaded before.
  if (result == QDialog::Accepted && picture_) {
    picture_->InterlaceOption = cbI->isChecked();
    if (!cbT->isChecked()) picture_->SetTransparentColor(std::nullopt);
  }
  QDialog::done(result);
}

void TForm7::Image1Mouse(const TCanvasMouse& event) {
  switch (event.kind) {
    case TCanvasMouse::Down:
      picking_ = event.Button == 0;
      cbT->setChecked(picking_);
      break;
    case TCanvasMouse::Move:
      if (picking_) pickColorAt(event.X, event.Y);
      break;
    case TCanvasMouse::Up:
      if (picking_) pickColorAt(event.X, event.Y);
      picking_ = false;
      break;
  }
}

void TForm7::pickColorAt(int x, int y) {
  // A drag that leaves the preview keeps the colour last picked inside it.
  if (!picture_ || x < 0 || y < 0 || x >= picture_->Width() || y >= picture_->Height()) return;
  const TColor c = picture_->Image.GetPixel(x, y);
  setPaneltColor(c);
  picture_->SetTransparentColor(c);
}

void TForm7::setPaneltColor(TColor color) {
  QPalette palette = Panelt->palette();
  palette.setColor(QPalette::Window, QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
  Panelt->setPalette(palette);
}
