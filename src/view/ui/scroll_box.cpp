// TScrollBox (declared in image_view.h): scrolling, moving and zooming the canvas.
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "view/ui/image_view.h"

namespace {

// A distance in picture pixels shown at the zoom, in whole screen pixels and at least one.
int ScreenSteps(int picturePixels, const TViewScale& shown) {
  if (picturePixels == 0) return 0;
  const TRatio z = shown.PerPicturePixel();
  const std::int64_t steps = (2 * std::abs(picturePixels) * z.num + z.den) / (2 * z.den);
  return int(picturePixels < 0 ? -std::max<std::int64_t>(steps, 1) : std::max<std::int64_t>(steps, 1));
}

}  // namespace

TScrollBox::TScrollBox(const TBitmap& bitmap, QWidget* parent)
    : QScrollArea(parent), stage_(new QWidget), image_(new TImageView(bitmap, stage_)) {
  setObjectName(QStringLiteral("ScrollBox1"));
  setBackgroundRole(QPalette::Dark);
  stage_->setMouseTracking(true);
  stage_->installEventFilter(this);
  setWidget(stage_);
  // The stage fills the viewport when the picture is small, so presses anywhere count.
  setWidgetResizable(true);
  connect(image_, &TImageView::canvasMouse, this, &TScrollBox::canvasMouse);
  DocumentReplaced();
  ResetPosition();
}

void TScrollBox::DocumentReplaced() {
  image_->DocumentReplaced();
  fitStage();
}

void TScrollBox::fitStage() {
  stage_->setMinimumSize(kPictureOffset + image_->width() + kMargin, kPictureOffset + image_->height() + kMargin);
  const int step = ScreenSteps(kScrollStep, image_->ShownScale());
  horizontalScrollBar()->setSingleStep(step);
  verticalScrollBar()->setSingleStep(step);
}

void TScrollBox::ResetPosition() {
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  image_->move(kPictureOffset, kPictureOffset);
}

void TScrollBox::MovePicture(QPoint picturePixels) {
  const TViewScale shown = image_->ShownScale();
  image_->move(image_->pos() + QPoint(ScreenSteps(picturePixels.x(), shown), ScreenSteps(picturePixels.y(), shown)));
}

void TScrollBox::ZoomAbout(int level, QPointF at) {
  const TRatio before = kZoomLevels[image_->ZoomLevel()], after = kZoomLevels[level];
  const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
  const QPointF picturePoint = (at + scrolled - QPointF(image_->pos())) * double(before.den) / double(before.num);
  image_->SetZoomLevel(level);
  fitStage();
  // The scroll bars take the new size at once; their showing or hiding, which changes the
  // viewport and their ranges once more, comes a moment later.
  QEvent layout(QEvent::LayoutRequest);
  event(&layout);
  const QPointF shownPoint = picturePoint * double(after.num) / double(after.den);
  // Only a pixel under the pointer is kept there; beside the picture it keeps its place.
  const TBitmap& picture = image_->Picture();
  if (QRectF(0, 0, picture.Width(), picture.Height()).contains(picturePoint)) image_->move(placeFor(shownPoint, at));
  const QPoint target = (shownPoint + QPointF(image_->pos()) - at).toPoint();
  auto scrollTo = [this, target] {
    horizontalScrollBar()->setValue(target.x());
    verticalScrollBar()->setValue(target.y());
  };
  scrollTo();
  QTimer::singleShot(0, this, scrollTo);
  emit zoomChanged(level);
}

QPoint TScrollBox::placeFor(QPointF shownPoint, QPointF at) const {
  const QSize room = viewport()->size();
  const auto along = [](int room, int shown, double point, double at) {
    if (kPictureOffset + shown + kMargin > room) return kPictureOffset;  // scrolled instead
    return std::clamp(int(std::lround(at - point)), 0, room - shown);
  };
  return QPoint(along(room.width(), image_->width(), shownPoint.x(), at.x()),
                along(room.height(), image_->height(), shownPoint.y(), at.y()));
}

void TScrollBox::ZoomStep(int steps) {
  ZoomAbout(ZoomLevelStepped(image_->ZoomLevel(), steps), QRectF(viewport()->rect()).center());
}

void TScrollBox::FitToView() {
  const QSize room = maximumViewportSize();
  const TBitmap& picture = image_->Picture();
  ZoomAbout(FitZoomLevel(picture.Width(), picture.Height(), kPictureOffset + kMargin, room.width(), room.height()),
            QPointF());
  image_->move(kPictureOffset, kPictureOffset);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

void TScrollBox::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QScrollArea::wheelEvent(event);
    return;
  }
  // One zoom step a notch (120 eighths of a degree); finer wheels add up to notches.
  constexpr int kNotch = 120;
  wheelTurn_ += event->angleDelta().y();
  const int steps = wheelTurn_ / kNotch;
  wheelTurn_ -= steps * kNotch;
  if (steps) ZoomAbout(ZoomLevelStepped(image_->ZoomLevel(), steps), event->position());
  event->accept();
}

bool TScrollBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != stage_) return QScrollArea::eventFilter(watched, event);
  TCanvasMouse::Kind kind;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: kind = TCanvasMouse::Down; break;
    case QEvent::MouseMove: kind = TCanvasMouse::Move; break;
    case QEvent::MouseButtonRelease: kind = TCanvasMouse::Up; break;
    default: return QScrollArea::eventFilter(watched, event);
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  const TPoint p = image_->PictureAt(*mouse, *stage_);
  std::optional<TCanvasMouse> m = CanvasMouseOf(kind, *mouse, QPoint(p.X, p.Y));
  if (!m) return true;
  m->Margin = true;
  emit canvasMouse(*m);
  return true;
}
