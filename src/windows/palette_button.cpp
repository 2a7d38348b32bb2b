#include "windows/palette_button.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <algorithm>

namespace {

constexpr int kButtonSide = 23;
constexpr int kGlyphSide = 16;
// The caption is set back over the glyph by this much from the glyph's right edge.
constexpr int kCaptionSetBack = 12;

}  // namespace

TPaletteButton::TPaletteButton(QWidget* parent) : QToolButton(parent) {
  setCheckable(true);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(kButtonSide, kButtonSide);
  setIconSize(QSize(kGlyphSide, kGlyphSide));
  QFont caption = font();
  caption.setBold(true);
  caption.setPixelSize(12);
  setFont(caption);
}

void TPaletteButton::paintEvent(QPaintEvent* event) {
  if (text().isEmpty()) {
    QToolButton::paintEvent(event);
    return;
  }
  // The style draws the button face alone; glyph and caption are placed here as one block.
  QStyleOptionToolButton face;
  initStyleOption(&face);
  face.icon = QIcon();
  face.text.clear();
  QPainter painter(this);
  style()->drawComplexControl(QStyle::CC_ToolButton, &face, &painter, this);

  const int captionLeft = kGlyphSide - kCaptionSetBack;
  const int captionWidth = fontMetrics().horizontalAdvance(text());
  const int blockWidth = std::max(kGlyphSide, captionLeft + captionWidth);
  const int glyphLeft = (width() - blockWidth) / 2;
  const int glyphTop = (height() - kGlyphSide) / 2;
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  painter.drawPixmap(glyphLeft, glyphTop, icon().pixmap(iconSize(), devicePixelRatioF(), mode));
  painter.setPen(QColor(Qt::yellow));
  painter.drawText(QRect(glyphLeft + captionLeft, 0, captionWidth, height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text());
}
