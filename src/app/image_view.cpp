#include "app/image_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

#include "document/screen_pixels.h"

TImageView::TImageView(const TBitmap& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap) {
  setObjectName(QStringLiteral("Image"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  DocumentReplaced();
}

void TImageView::InvalidateDocument(const TRect& r) {
  const TRect n = NormalizedRect(r);
  update(QRect(n.Left, n.Top, n.Width(), n.Height()));
}

void TImageView::DocumentReplaced() {
  setFixedSize(bitmap_.Width(), bitmap_.Height());
  update();
}

void TImageView::paintEvent(QPaintEvent* event) {
  const QRect exposed = event->rect() & rect();
  if (exposed.isEmpty()) return;
  QImage part(exposed.size(), QImage::Format_RGB32);
  ToScreenPixels(bitmap_,
                 TRect{exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1},
                 reinterpret_cast<std::uint32_t*>(part.bits()), part.bytesPerLine() / 4);
  QPainter(this).drawImage(exposed.topLeft(), part);
}

std::optional<TCanvasMouse> CanvasMouseOf(TCanvasMouse::Kind kind, const QMouseEvent& event, QPoint picturePos) {
  TCanvasMouse m;
  m.kind = kind;
  const Qt::MouseButton b = kind == TCanvasMouse::Move ? Qt::NoButton : event.button();
  if (kind != TCanvasMouse::Move && b != Qt::LeftButton && b != Qt::RightButton && b != Qt::MiddleButton)
    return std::nullopt;
  m.Button = b == Qt::RightButton ? 1 : b == Qt::MiddleButton ? 2 : 0;
  m.Shift = event.modifiers() & Qt::ShiftModifier;
  m.Ctrl = event.modifiers() & Qt::ControlModifier;
  m.Alt = event.modifiers() & Qt::AltModifier;
  m.LeftHeld = event.buttons() & Qt::LeftButton;
  m.RightHeld = event.buttons() & Qt::RightButton;
  m.X = picturePos.x();
  m.Y = picturePos.y();
  return m;
}

void TImageView::mousePressEvent(QMouseEvent* event) {
  if (const auto m = CanvasMouseOf(TCanvasMouse::Down, *event, event->position().toPoint())) emit canvasMouse(*m);
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
  if (const auto m = CanvasMouseOf(TCanvasMouse::Move, *event, event->position().toPoint())) emit canvasMouse(*m);
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (const auto m = CanvasMouseOf(TCanvasMouse::Up, *event, event->position().toPoint())) emit canvasMouse(*m);
}

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
  stage_->setMinimumSize(kPictureOffset + image_->width() + kMargin,
                         kPictureOffset + image_->height() + kMargin);
}

void TScrollBox::ResetPosition() {
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  image_->move(kPictureOffset, kPictureOffset);
}

bool TScrollBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != stage_) return QScrollArea::eventFilter(watched, event);
  TCanvasMouse::Kind kind;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: kind = TCanvasMouse::Down; break;
    case QEvent::MouseMove: kind = TCanvasMouse::Move; break;
    case QEvent::MouseButtonRelease: kind = TCanvasMouse::Up; break;
    default: return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  std::optional<TCanvasMouse> m = CanvasMouseOf(kind, *mouse, mouse->position().toPoint() - image_->pos());
  if (!m) return true;
  m->Margin = true;
  emit canvasMouse(*m);
  return true;
}
