#include "widgets/picture_box.h"

#include <QPainter>

#include "widgets/bitmap_image.h"
#include "widgets/pixel_art.h"

TPictureBox::TPictureBox(int width, int height, QWidget* parent)
    : QWidget(parent), picture_(width, height, pfDevice) {
  setFixedSize(width, height);
}

void TPictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPixelArt(painter, QPoint(0, 0), ToQImage(picture_));
}
