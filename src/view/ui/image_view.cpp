#include "view/ui/image_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <cmath>

#include "view/view_render.h"

namespace {

// The device pixel a logical window position lies in. Platform positions are whole device
// pixels (or fractions of them), so a product a hair below a whole number is that number.
std::int64_t DevicePixelOf(double logical, double ratio) { return std::int64_t(std::floor(logical * ratio + 1e-6)); }

// Where the picture's first device pixel lies: the device pixel nearest to the widget's corner.
std::int64_t AnchorOf(double deviceCorner) { return std::int64_t(std::floor(deviceCorner + 0.5 + 1e-6)); }

}  // namespace

TImageView::TImageView(const TBitmap& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap), mipmaps_(bitmap) {
  setObjectName(QStringLiteral("Image"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  DocumentReplaced();
}

TViewScale TImageView::deviceScale() const {
  return TViewScale(kZoomLevels[zoomLevel_], DeviceRatioOf(devicePixelRatioF()));
}

void TImageView::InvalidateDocument(const TRect& r) {
  const TRect n = NormalizedRect(r);
  mipmaps_.Invalidate(n);
  const TRatio z = kZoomLevels[zoomLevel_];
  // Reduced, a screen pixel averages a box of picture pixels that may reach one pixel past the
  // exactly scaled place; at a fractional device pixel ratio the picture's device grid may start
  // half a logical pixel off the widget's. One more pixel all round covers both.
  const bool inexact = z.num < z.den || DeviceRatioOf(devicePixelRatioF()).den != 1;
  const int pad = inexact ? 1 : 0;
  update(QRect(QPoint(int(FloorDiv(n.Left * z.num, z.den)) - pad, int(FloorDiv(n.Top * z.num, z.den)) - pad),
               QPoint(int(CeilDiv(n.Right * z.num, z.den)) - 1 + pad, int(CeilDiv(n.Bottom * z.num, z.den)) - 1 + pad)));
}

void TImageView::DocumentReplaced() {
  mipmaps_.Clear();
  fitSize();
}

void TImageView::fitSize() {
  const TViewScale shown = ShownScale();
  setFixedSize(int(shown.DeviceOf(bitmap_.Width())), int(shown.DeviceOf(bitmap_.Height())));
  update();
}

void TImageView::SetZoomLevel(int level) {
  if (level == zoomLevel_) return;
  zoomLevel_ = level;
  // Reduced views read the mipmaps, whatever the reduction; the others never do, and need not
  // keep their memory.
  if (ShownScale().Magnifies()) mipmaps_.Clear();
  fitSize();
}

void TImageView::SetGrid(bool on) {
  grid_ = on;
  if (zoomLevel_ >= kGridLevel) update();
}

TPoint TImageView::PictureAt(const QMouseEvent& event, const QWidget& receiver) const {
  // The window position that the platform gave, with its fraction of a logical pixel that the
  // widget's own position has lost by rounding. Events made up inside the program carry no
  // window position of their own: their position counts, in whole logical pixels.
  const QPointF receiverCorner = receiver.mapTo(window(), QPointF(0, 0));
  QPointF windowPos = event.scenePosition();
  const QPointF lost = windowPos - receiverCorner - event.position();
  if (std::abs(lost.x()) > 0.75 || std::abs(lost.y()) > 0.75) windowPos = event.position() + receiverCorner;
  const double ratio = devicePixelRatioF();
  const QPoint corner = mapTo(window(), QPoint(0, 0));
  const TViewScale scale = deviceScale();
  return TPoint{int(scale.PictureOf(DevicePixelOf(windowPos.x(), ratio) - AnchorOf(corner.x() * ratio))),
                int(scale.PictureOf(DevicePixelOf(windowPos.y(), ratio) - AnchorOf(corner.y() * ratio)))};
}

QPoint TImageView::ShownOffset(TPoint p) const {
  const TViewScale shown = ShownScale();
  return QPoint(int(shown.DeviceOf(p.X)), int(shown.DeviceOf(p.Y)));
}

void TImageView::paintEvent(QPaintEvent* event) {
  const QRect exposed = event->rect() & rect();
  if (exposed.isEmpty()) return;
  QPainter painter(this);
  // Painted in device pixels counted from the picture's first one, so that every picture pixel
  // covers whole device pixels whatever the device pixel ratio and the scroll position.
  const QTransform device = painter.deviceTransform();
  const double ratio = device.m11();
  const std::int64_t anchorX = AnchorOf(device.dx()), anchorY = AnchorOf(device.dy());
  const TRect area{int(std::floor(exposed.left() * ratio + device.dx()) - anchorX),
                   int(std::floor(exposed.top() * ratio + device.dy()) - anchorY),
                   int(std::ceil((exposed.right() + 1) * ratio + device.dx()) - anchorX),
                   int(std::ceil((exposed.bottom() + 1) * ratio + device.dy()) - anchorY)};
  QImage part(area.Width(), area.Height(), QImage::Format_RGB32);
  TViewLook look;
  look.grid = grid_ && zoomLevel_ >= kGridLevel;
  look.background = palette().color(QPalette::Dark).rgb();
  RenderView(bitmap_, mipmaps_, deviceScale(), look, area, reinterpret_cast<std::uint32_t*>(part.bits()),
             part.bytesPerLine() / 4);
  painter.setWorldTransform(QTransform(1 / ratio, 0, 0, 1 / ratio, (anchorX - device.dx()) / ratio,
                                       (anchorY - device.dy()) / ratio));
  painter.drawImage(QPoint(area.Left, area.Top), part);
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

void TImageView::emitMouse(TCanvasMouse::Kind kind, QMouseEvent* event) {
  const TPoint p = PictureAt(*event, *this);
  if (const auto m = CanvasMouseOf(kind, *event, QPoint(p.X, p.Y))) emit canvasMouse(*m);
}

void TImageView::mousePressEvent(QMouseEvent* event) { emitMouse(TCanvasMouse::Down, event); }
void TImageView::mouseMoveEvent(QMouseEvent* event) { emitMouse(TCanvasMouse::Move, event); }
void TImageView::mouseReleaseEvent(QMouseEvent* event) { emitMouse(TCanvasMouse::Up, event); }
