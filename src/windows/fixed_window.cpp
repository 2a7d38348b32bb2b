#include "windows/fixed_window.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kCaptionHeight = 20;

bool DrawsOwnCaption() { return QGuiApplication::platformName() == QLatin1String("wayland"); }

// The caption strip along the window's top edge.
class TFixedWindowCaption : public QWidget {
 public:
  TFixedWindowCaption(QWidget& window, bool closeButton) : QWidget(&window), window_(window) {
    setObjectName(QStringLiteral("fixedWindowCaption"));
    window.installEventFilter(this);
    if (!closeButton) return;
    close_ = new QToolButton(this);
    close_->setObjectName(QStringLiteral("captionClose"));
    close_->setText(QStringLiteral("×"));
    close_->setAutoRaise(true);
    close_->setFocusPolicy(Qt::NoFocus);
    connect(close_, &QToolButton::clicked, &window, &QWidget::close);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Polish && !polished_) {
      polished_ = true;
      // Children placed by hand move below the caption; a layout keeps clear of it by the
      // window's top margin.
      if (!window_.layout()) {
        for (QWidget* child : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
          if (child != this && !child->isWindow()) child->move(child->pos() + QPoint(0, kCaptionHeight));
      }
    } else if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
      setGeometry(0, 0, window_.width(), kCaptionHeight);
      if (close_) close_->setGeometry(width() - kCaptionHeight, 0, kCaptionHeight, kCaptionHeight);
      raise();
    } else if (event->type() == QEvent::WindowTitleChange) {
      update();
    }
    return false;
  }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool active = window_.isActiveWindow();
    painter.fillRect(rect(), active ? colours.color(QPalette::Highlight) : colours.color(QPalette::Mid));
    painter.setPen(colours.color(QPalette::HighlightedText));
    // The whole title, as far as the strip left of the close button allows.
    const QRect text = rect().adjusted(4, 0, -kCaptionHeight, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(window_.windowTitle(), Qt::ElideRight, text.width()));
  }

  // The compositor moves the window once the pressed pointer moves: a move begun at the press
  // would swallow the release of a mere click.
  void mousePressEvent(QMouseEvent* event) override { pressedAt_ = event->position().toPoint(); }
  void mouseMoveEvent(QMouseEvent* event) override {
    const bool dragged = (event->position().toPoint() - pressedAt_).manhattanLength() >= QApplication::startDragDistance();
    if ((event->buttons() & Qt::LeftButton) && dragged && window_.windowHandle()) window_.windowHandle()->startSystemMove();
  }

  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::ActivationChange) update();
    QWidget::changeEvent(event);
  }

 private:
  QWidget& window_;
  QToolButton* close_ = nullptr;
  bool polished_ = false;
  QPoint pressedAt_;
};

}  // namespace

int FixedWindowCaptionHeight() { return DrawsOwnCaption() ? kCaptionHeight : 0; }

void GiveFixedWindowCaption(QWidget& window) {
  if (!DrawsOwnCaption()) return;
  // A window that chose its title bar's buttons without the close button gets none.
  const Qt::WindowFlags flags = window.windowFlags();
  const bool closeButton = !(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowCloseButtonHint);
  // Qt drops the frameless hint from flags that also ask for a title bar.
  const Qt::WindowFlags kept = flags & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint);
  window.setWindowFlags(kept | Qt::FramelessWindowHint);
  QMargins margins = window.contentsMargins();
  margins.setTop(margins.top() + kCaptionHeight);
  window.setContentsMargins(margins);
  new TFixedWindowCaption(window, closeButton);
}

void SetFixedWindowSize(QWidget& window, QSize size) {
  GiveFixedWindowCaption(window);
  window.setFixedSize(size + QSize(0, FixedWindowCaptionHeight()));
}
