#include "recovery/ui/recovery_offer.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/bitmap_image.h"
#include "surface/canvas.h"

#include <algorithm>

namespace {

// Scaled down by the raster surface first, so a huge picture never becomes a QImage whole.
QPixmap thumbnail(const TBitmap& picture) {
  const double scale = std::min({1.0, double(TRecoveryOfferForm::kThumbnailWidth) / picture.Width(),
                                 double(TRecoveryOfferForm::kThumbnailHeight) / picture.Height()});
  TBitmap small(std::max(1, int(picture.Width() * scale)), std::max(1, int(picture.Height() * scale)), pf32bit);
  small.Canvas().StretchDraw(small.BoundsRect(), picture);
  return QPixmap::fromImage(ToQImage(small));
}

QString shownName(const std::string& fileName) {
  return fileName.empty() ? QStringLiteral("（名前のない絵）") : QString::fromStdString(fileName);
}

}  // namespace

TRecoveryOfferForm::TRecoveryOfferForm(const TRecoveryCopy& copy, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RecoveryOffer"));
  setWindowTitle(QStringLiteral("復元"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("前回終了時に保存されなかった絵があります。復元しますか？"), this));
  auto* details = new QHBoxLayout;
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("thumbnail"));
  picture->setPixmap(thumbnail(copy.picture));
  details->addWidget(picture);
  auto* text = new QLabel(this);
  text->setObjectName(QStringLiteral("details"));
  text->setText(QDateTime::fromSecsSinceEpoch(copy.savedAt).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) +
                QStringLiteral("\n") + shownName(copy.fileName) +
                QStringLiteral("\n%1 x %2").arg(copy.picture.Width()).arg(copy.picture.Height()));
  details->addWidget(text, 1);
  layout->addLayout(details);
  auto* buttons = new QDialogButtonBox(this);
  restoreButton = buttons->addButton(QStringLiteral("復元"), QDialogButtonBox::AcceptRole);
  discardButton = buttons->addButton(QStringLiteral("破棄"), QDialogButtonBox::DestructiveRole);
  laterButton = buttons->addButton(QStringLiteral("後で"), QDialogButtonBox::RejectRole);
  restoreButton->setObjectName(QStringLiteral("restoreButton"));
  discardButton->setObjectName(QStringLiteral("discardButton"));
  laterButton->setObjectName(QStringLiteral("laterButton"));
  restoreButton->setDefault(true);
  restoreButton->setFocus();
  layout->addWidget(buttons);
  const auto answer = [this](Answer a) {
    return [this, a] {
      chosen_ = a;
      done(a == Later ? QDialog::Rejected : QDialog::Accepted);
    };
  };
  connect(restoreButton, &QPushButton::clicked, this, answer(Restore));
  connect(discardButton, &QPushButton::clicked, this, answer(Discard));
  connect(laterButton, &QPushButton::clicked, this, answer(Later));
}

void OfferLeftBehindCopies(const TRecoveryStore& store, QWidget* parent,
                           const std::function<void(TRecoveryCopy& copy, const std::string& path)>& restore) {
  for (const std::string& path : store.LeftBehind()) {
    TRecoveryCopy copy;
    try {
      ReadRecoveryFile(path, copy);
    } catch (const ERecoveryDamaged& e) {
      const std::string aside = TRecoveryStore::SetAside(path);
      QMessageBox::warning(parent, QStringLiteral("復元"),
                           QStringLiteral("前回終了時に保存されなかった絵の控えが壊れているため、復元できません。\n"
                                          "控えは %1 として残しました。\n(%2)")
                               .arg(QString::fromStdString(aside), QString::fromUtf8(e.what())));
      continue;
    }
    TRecoveryOfferForm offer(copy, parent);
    offer.exec();
    switch (offer.Chosen()) {
      case TRecoveryOfferForm::Restore: restore(copy, path); return;
      case TRecoveryOfferForm::Discard: TRecoveryStore::Remove(path); break;
      case TRecoveryOfferForm::Later: break;
    }
  }
}
