#include "recovery/ui/recovery_offer.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

#include "view/view_render.h"

namespace {

// Reduced as the canvas view reduces, each pixel the mean of those it covers, so a one-pixel
// line stays visible; a huge picture never becomes a QImage whole.
QPixmap thumbnail(const TBitmap& picture) {
  constexpr int kW = TRecoveryOfferForm::kThumbnailWidth, kH = TRecoveryOfferForm::kThumbnailHeight;
  const std::int64_t w = picture.Width(), h = picture.Height();
  TRatio zoom{1, 1};
  if (w * kH >= h * kW) {
    if (w > kW) zoom = TRatio{kW, w};
  } else if (h > kH) {
    zoom = TRatio{kH, h};
  }
  const TViewScale scale(zoom, TRatio{});
  const TRect area{0, 0, int(std::max<std::int64_t>(1, scale.DeviceOf(w))),
                   int(std::max<std::int64_t>(1, scale.DeviceOf(h)))};
  QImage image(area.Width(), area.Height(), QImage::Format_RGB32);
  TMipmaps mipmaps(picture);
  RenderView(picture, mipmaps, scale, TViewLook{}, area, reinterpret_cast<std::uint32_t*>(image.bits()),
             std::size_t(image.bytesPerLine()) / sizeof(std::uint32_t));
  return QPixmap::fromImage(image);
}

QString shownName(const std::string& fileName) {
  return fileName.empty() ? TRecoveryOfferForm::tr("（名前のない絵）") : QString::fromStdString(fileName);
}

}  // namespace

TRecoveryOfferForm::TRecoveryOfferForm(const TRecoveryCopy& copy, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RecoveryOffer"));
  setWindowTitle(tr("復元"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("前回終了時に保存されなかった絵があります。復元しますか？"), this));
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
  restoreButton = buttons->addButton(tr("復元"), QDialogButtonBox::AcceptRole);
  discardButton = buttons->addButton(tr("破棄"), QDialogButtonBox::DestructiveRole);
  laterButton = buttons->addButton(tr("後で"), QDialogButtonBox::RejectRole);
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
      // What exactly is wrong is for whoever looks into the file, not for the box.
      std::fprintf(stderr, "zudozo: %s: %s\n", path.c_str(), e.what());
      QMessageBox::warning(parent, TRecoveryOfferForm::tr("復元"),
                           TRecoveryOfferForm::tr("前回終了時に保存されなかった絵の控えが壊れているため、復元できません。\n"
                                                  "控えは %1 として残しました。")
                               .arg(QString::fromStdString(aside)));
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
