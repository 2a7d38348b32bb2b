#include "widgets/pixel_art.h"

#include <QApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace {

// Qt's own icons smooth a picture to the size asked for; this one repeats its pixels.
class PixelArtIconEngine : public QIconEngine {
 public:
  explicit PixelArtIconEngine(const QPixmap& picture) : picture_(picture) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const QSize fitted = picture_.size().scaled(size, Qt::KeepAspectRatio);
    const QPixmap normal = picture_.scaled(fitted, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (mode == QIcon::Normal) return normal;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, normal, &option);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap device = pixmap(rect.size() * ratio, mode, state);
    device.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), device);
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    return picture_.size().boundedTo(size);
  }
  QIconEngine* clone() const override { return new PixelArtIconEngine(picture_); }

 private:
  QPixmap picture_;
};

}  // namespace

int PixelArtFactor(qreal deviceRatio) { return std::max(1, static_cast<int>(std::lround(deviceRatio))); }

void DrawPixelArt(QPainter& painter, QPoint at, const QImage& picture) {
  // Without smoothing the painter enlarges by nearest neighbour; whoever painted before may
  // have turned it on.
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(at, picture);
  painter.restore();
}

QPixmap EnlargedPixelArt(const QPixmap& picture, int factor) {
  QPixmap enlarged = picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  enlarged.setDevicePixelRatio(factor);
  return enlarged;
}

QIcon PixelArtIcon(const QString& file) {
  const QPixmap picture(file);
  return picture.isNull() ? QIcon() : QIcon(new PixelArtIconEngine(picture));
}
