#include "windows/palette_frame.h"

#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "windows/keyboard_return.h"

namespace {

constexpr int kBorder = 4;
constexpr int kCaption = 18;
// First place of the frame from the client area's top right corner, clear of its
// coordinate bar and vertical scroll bar.
constexpr QPoint kFirstPlaceFromTopRight(-24, 30);

}  // namespace

TPaletteFrame::TPaletteFrame(QMainWindow& host, QWidget& palette) : QWidget(&host), host_(host), palette_(palette), client_(host.centralWidget()) {
  setObjectName(QStringLiteral("paletteFrame"));
  palette.setParent(this);
  palette.move(ClientOrigin());
  resize(palette.size() + Margins());
  palette.installEventFilter(this);
  if (client_) client_->installEventFilter(this);
  TKeyboardReturn::KeepKeyboardWithin(*this);
}

QSize TPaletteFrame::Margins() { return QSize(2 * kBorder, kCaption + kBorder); }

QPoint TPaletteFrame::ClientOrigin() { return QPoint(kBorder, kCaption); }

QRect TPaletteFrame::area() const {
  return client_ ? client_->geometry() : host_.rect();
}

void TPaletteFrame::MoveWithin(QPoint place) {
  const QRect within = area();
  // A frame larger than the area keeps its caption in reach at the area's top left.
  place.setX(std::max(within.left(), std::min(place.x(), within.right() + 1 - width())));
  place.setY(std::max(within.top(), std::min(place.y(), within.bottom() + 1 - height())));
  move(place);
}

bool TPaletteFrame::eventFilter(QObject* watched, QEvent* event) {
  // The palette shown or hidden by the user or the program (not by the main window going).
  if (watched == &palette_ && event->type() == QEvent::ShowToParent) {
    show();
    raise();
  } else if (watched == &palette_ && event->type() == QEvent::HideToParent) {
    hide();
  } else if (watched == &palette_ && event->type() == QEvent::Resize) {
    resize(palette_.size() + Margins());
  } else if (client_ && watched == client_ && event->type() == QEvent::Resize) {
    // The client area's first size places the frame; later ones keep it inside.
    if (!placed_) MoveWithin(area().topRight() + kFirstPlaceFromTopRight - QPoint(width(), 0));
    else MoveWithin(pos());
    placed_ = true;
  }
  return QWidget::eventFilter(watched, event);
}

void TPaletteFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Window));
  const QRect caption(kBorder, 1, width() - 2 * kBorder, kCaption - 2);
  QLinearGradient shade(caption.topLeft(), caption.topRight());
  shade.setColorAt(0, colours.color(QPalette::Highlight));
  shade.setColorAt(1, colours.color(QPalette::Highlight).lighter(150));
  painter.fillRect(caption, shade);
  painter.setPen(colours.color(QPalette::HighlightedText));
  painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignCenter, palette_.windowTitle());
  painter.setPen(colours.color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TPaletteFrame::mousePressEvent(QMouseEvent* event) {
  dragging_ = event->button() == Qt::LeftButton && event->position().y() < kCaption;
  grab_ = event->position().toPoint();
  raise();
}

void TPaletteFrame::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) MoveWithin(mapToParent(event->position().toPoint()) - grab_);
}

void TPaletteFrame::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }
