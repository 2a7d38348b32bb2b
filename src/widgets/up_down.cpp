#include "widgets/up_down.h"

#include <QBoxLayout>
#include <QToolButton>

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  return button;
}

}  // namespace

TUpDown::TUpDown(int min, int max, bool wrap, QWidget* parent, Qt::Orientation orientation)
    : QWidget(parent), min_(min), max_(max), wrap_(wrap), position_(min) {
  const bool upright = orientation == Qt::Vertical;
  prev_ = arrowButton(upright ? Qt::DownArrow : Qt::LeftArrow, this);
  next_ = arrowButton(upright ? Qt::UpArrow : Qt::RightArrow, this);
  auto* layout = new QBoxLayout(upright ? QBoxLayout::BottomToTop : QBoxLayout::LeftToRight, this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(prev_);
  layout->addWidget(next_);
  connect(prev_, &QToolButton::clicked, this, [this] { Step(btPrev); });
  connect(next_, &QToolButton::clicked, this, [this] { Step(btNext); });
}

void TUpDown::SetPosition(int position) {
  position_ = position < min_ ? min_ : position > max_ ? max_ : position;
}

void TUpDown::Step(TUDBtnType button) {
  int next = position_ + (button == btNext ? 1 : -1);
  if (wrap_ && next > max_) next = min_;
  if (wrap_ && next < min_) next = max_;
  SetPosition(next);
  emit Click(button);
}
